// SPDX-License-Identifier: GPL-2.0-or-later
// The solve command: problems from the command line or one a line from the input, answered as
// the printed page or as JSON. The JSON is written by nlohmann-json, here and nowhere else.
#include "app/solve_command.h"

#include <algorithm>
#include <cstring>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/problem.h"
#include "results/drawing.h"
#include "results/printing.h"
#include "results/results_screen.h"

namespace solvara {

namespace {

using Json = nlohmann::ordered_json;

// A problem line longer than this is an error; no problem needs a tenth of it.
constexpr std::size_t kMaxLineBytes = 4096;
constexpr std::size_t kReadBytes = 64 * 1024;
// Answers are gathered up to this much before they are written.
constexpr std::size_t kWriteBytes = 64 * 1024;

// Standard output through a buffer, written out when it fills, before a wait for input and
// before a line goes to standard error, so that the two keep their order on a terminal.
class Output {
  public:
    explicit Output(const ByteStreams& streams) : streams_(streams) {
        buffer_.reserve(kWriteBytes);
    }

    std::string& buffer() { return buffer_; }
    void written() {
        if (buffer_.size() >= kWriteBytes) flush();
    }
    void error(std::string_view line) {
        flush();
        streams_.error(line);
    }
    void flush() {
        if (buffer_.empty()) return;
        if (!failed_ && !streams_.write(buffer_)) failed_ = true;
        buffer_.clear();
    }
    bool failed() const { return failed_; }

  private:
    const ByteStreams& streams_;
    std::string buffer_;
    bool failed_ = false;
};

// The lines of the input one at a time, in a buffer of fixed size: a line longer than
// kMaxLineBytes is skipped to its end and reported as too long, so memory stays the same
// whatever comes.
class LineReader {
  public:
    LineReader(const ByteStreams& streams, Output& output)
        : streams_(streams), output_(output), buffer_(kReadBytes + kMaxLineBytes) {}

    // The next line without its end; false after the last. A line that ends the input without
    // a line end counts.
    bool next(std::string_view& line, bool& tooLong) {
        tooLong = false;
        for (;;) {
            char* const start = buffer_.data() + begin_;
            if (const void* end = std::memchr(start, '\n', end_ - begin_)) {
                const std::size_t length =
                    static_cast<std::size_t>(static_cast<const char*>(end) - start);
                begin_ += length + 1;
                tooLong = skipping_ || length > kMaxLineBytes;
                skipping_ = false;
                line = tooLong ? std::string_view() : std::string_view(start, length);
                return true;
            }
            if (skipping_ || end_ - begin_ > kMaxLineBytes) {
                skipping_ = true;  // what there is of the long line goes
                begin_ = end_ = 0;
            } else {
                std::memmove(buffer_.data(), start, end_ - begin_);
                end_ -= begin_;
                begin_ = 0;
            }
            if (ended_) return false;
            // Whoever waits for these answers gets them before the program waits for more.
            output_.flush();
            const std::size_t got = streams_.read(buffer_.data() + end_, buffer_.size() - end_);
            if (got == 0) {
                ended_ = true;
                if (!skipping_ && begin_ == end_) return false;
                tooLong = skipping_;
                skipping_ = false;
                line = tooLong ? std::string_view() : std::string_view(buffer_.data(), end_);
                begin_ = end_ = 0;
                return true;
            }
            end_ += got;
        }
    }

  private:
    const ByteStreams& streams_;
    Output& output_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;  // the unread bytes are [begin_, end_)
    std::size_t end_ = 0;
    bool skipping_ = false;  // inside a line that is too long
    bool ended_ = false;
};

const char* modeName(SolveMode mode) {
    return mode == SolveMode::Right ? "right" : "oblique";
}

char letterOf(Entry e) {
    return "xyzadbecf"[indexOf(e)];
}

// How the answers are written, and which line of the input they answer (0 on the command line).
struct Report {
    bool json = false;
    long line = 0;
};

void appendPrintedAnswer(std::string& out, SolveMode mode, const ProblemAnswer& answer) {
    const ResultTexts hw = heightAndWidthTexts(mode, answer.triangle);
    for (const std::string& line :
         printedLines(mode, answerTexts(answer.triangle, answer.area), hw.height, hw.width)) {
        out += line;
        out += '\n';
    }
}

// One JSON object a problem, kept from one problem to the next: from one ordinary problem to
// the next only numbers change, and no object is made afresh. The objects go straight into the
// output buffer through the library's serializer, made once rather than by every dump().
class JsonWriter {
  public:
    // `numbered`: each object tells the input line it answers.
    JsonWriter(std::string& out, bool numbered)
        : serializer_(std::make_shared<nlohmann::detail::output_string_adapter<char>>(out), ' ',
                      Json::error_handler_t::replace),
          out_(out) {
        if (numbered) j_["line"] = 0;
        j_["mode"] = nullptr;
        j_["inputs"] = Json::object();
        j_["answers"] = Json::array();
        j_["error"] = nullptr;
        // No key is added to the object after this, so the members stay where they are.
        line_ = numbered ? &j_["line"] : nullptr;
        mode_ = &j_["mode"];
        inputs_ = &j_["inputs"];
        answers_ = &j_["answers"];
        error_ = &j_["error"];
    }

    void append(long line, const ProblemReading& reading, const ProblemOutcome& outcome) {
        if (line_) *line_ = line;
        setMode(reading.mode);

        inputs_->clear();
        if (outcome.status != kExitUsage)
            for (const ProblemInput& in : reading.problem.given())
                (*inputs_)[std::string(1, letterOf(in.entry))] = in.value;

        const bool solved = outcome.status == kExitSolved;
        const std::size_t count = !solved ? 0 : outcome.second ? 2 : 1;
        while (answers_->size() > count)
            answers_->erase(answers_->size() - 1);
        while (answers_->size() < count)
            answers_->push_back(answerObject());
        if (count > 0) setAnswer((*answers_)[0], outcome.first);
        if (count > 1) setAnswer((*answers_)[1], *outcome.second);

        if (solved) {
            *error_ = nullptr;
        } else {
            *error_ = Json{{"status", outcome.status}, {"message", outcome.error}};
        }
        serializer_.dump(j_, false, false, 0);
        out_ += '\n';
    }

  private:
    static Json answerObject() {
        Json answer = Json::object();
        for (const char* key : {"x", "y", "z", "a", "b", "c", "area", "height", "width"})
            answer[key] = 0.0;
        return answer;
    }

    // The numbers in the order answerObject() made their keys.
    static void setAnswer(Json& object, const ProblemAnswer& answer) {
        const Triangle& t = answer.triangle;
        const HeightAndWidth& hw = answer.heightAndWidth;
        const double values[] = {t.x, t.y, t.z, t.a, t.b, t.c, answer.area, hw.height, hw.width};
        auto value = object.begin();
        for (const double v : values)
            *value++ = v;
    }

    void setMode(std::optional<SolveMode> mode) {
        if (!mode) {
            *mode_ = nullptr;
        } else if (mode_->is_string()) {
            mode_->get_ref<std::string&>() = modeName(*mode);  // no new string
        } else {
            *mode_ = modeName(*mode);
        }
    }

    nlohmann::detail::serializer<Json> serializer_;
    std::string& out_;
    Json j_ = Json::object();
    Json* line_ = nullptr;
    Json* mode_ = nullptr;
    Json* inputs_ = nullptr;
    Json* answers_ = nullptr;
    Json* error_ = nullptr;
};

// Reads, solves and reports one problem; returns its exit status.
int answer(Output& output, JsonWriter& json, const Report& report, const ProblemReading& reading) {
    ProblemOutcome outcome;
    if (reading.error.empty()) {
        outcome = solveProblem(reading.problem);
    } else {
        outcome.status = kExitUsage;
        outcome.error = reading.error;
    }

    std::string& out = output.buffer();
    if (report.json) {
        json.append(report.line, reading, outcome);
    } else if (outcome.status != kExitSolved) {
        std::string line = "solvara: ";
        if (report.line > 0) line += "line " + std::to_string(report.line) + ": ";
        output.error(line + outcome.error + "\n");
    } else {
        const Problem& p = reading.problem;
        if (report.line > 0) {
            out += "Line " + std::to_string(report.line) + ": ";
            out += p.modeWord;
            for (const ProblemInput& in : p.given()) {
                out += ' ';
                out += in.word;
            }
            out += '\n';
        }
        appendPrintedAnswer(out, p.mode, outcome.first);
        if (outcome.second) {
            out += '\n';
            appendPrintedAnswer(out, p.mode, *outcome.second);
        }
    }
    output.written();
    return outcome.status;
}

bool skipped(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    return first == std::string_view::npos || line[first] == '#';
}

int solveLines(const Report& how, const ByteStreams& streams) {
    Output output(streams);
    JsonWriter json(output.buffer(), true);
    LineReader reader(streams, output);
    Report report = how;
    int worst = kExitSolved;
    std::string_view line;
    bool tooLong = false;
    while (!output.failed() && reader.next(line, tooLong)) {
        ++report.line;
        if (!tooLong && skipped(line)) continue;
        ProblemReading reading = tooLong ? ProblemReading{} : readProblemLine(line);
        if (tooLong) reading.error = "longer than " + std::to_string(kMaxLineBytes) + " bytes";
        worst = std::max(worst, answer(output, json, report, reading));
    }
    output.flush();
    if (output.failed()) {
        streams.error("solvara: the answers could not be written to standard output\n");
        return std::max(worst, kExitNoTriangle);
    }
    return worst;
}

}  // namespace

int runSolveCommand(const SolveRequest& request, const ByteStreams& streams) {
    const Report report{request.json, 0};
    if (request.words.size() == 1 && request.words.front() == "-")
        return solveLines(report, streams);

    std::vector<std::string_view> words(request.words.begin(), request.words.end());
    if (std::find(words.begin(), words.end(), "-") != words.end()) {
        streams.error("solvara: -: reads problems from standard input and comes alone\n");
        return kExitUsage;
    }
    Output output(streams);
    JsonWriter json(output.buffer(), false);
    const int status = answer(output, json, report, readProblem(words));
    output.flush();
    if (output.failed()) {
        streams.error("solvara: the answers could not be written to standard output\n");
        return std::max(status, kExitNoTriangle);
    }
    return status;
}

}  // namespace solvara
