// SPDX-License-Identifier: GPL-2.0-or-later
// The solve command: problems from the command line or one a line from the input, answered as
// the printed page or as JSON. The JSON is written by nlohmann-json, here and nowhere else.
#include "app/solve_command.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/problem.h"
#include "platform/text/number_format.h"
#include "results/clipboard.h"
#include "results/drawing_file.h"
#include "results/explanation.h"
#include "results/printing.h"
#include "results/result_lines.h"
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

// The lines of the input one at a time through a buffer of fixed size, so that memory stays the
// same whatever comes. A line longer than kMaxLineBytes comes cut to its first kMaxLineBytes
// bytes; the rest of it is read and dropped.
class LineReader {
  public:
    struct Line {
        std::string_view text;  // without its line end
        bool cut = false;
    };

    LineReader(const ByteStreams& streams, Output& output)
        : streams_(streams), output_(output), buffer_(kMaxLineBytes + 1 + kReadBytes) {}

    // The next line; false after the last. A last line without a line end counts, unless a read
    // failed before its end: then the line may be cut anywhere, and it is dropped.
    bool next(Line& line) {
        std::size_t scanned = begin_;
        for (;;) {
            const char* data = buffer_.data();
            if (const void* found = std::memchr(data + scanned, '\n', end_ - scanned)) {
                const auto at = static_cast<std::size_t>(static_cast<const char*>(found) - data);
                line = lineOf(at);
                begin_ = at + 1;
                return true;
            }
            if (ended_) {
                if (begin_ == end_) return false;
                line = lineOf(end_);
                begin_ = end_;
                return true;
            }
            // No line end yet: the line's start goes to the front, and of a long line only one
            // byte more than a line may have is kept, which marks it as too long.
            std::memmove(buffer_.data(), data + begin_, end_ - begin_);
            end_ = std::min(end_ - begin_, kMaxLineBytes + 1);
            begin_ = 0;
            scanned = end_;
            // Whoever waits for these answers gets them before the program waits for more.
            output_.flush();
            const ReadResult got = streams_.read(buffer_.data() + end_, buffer_.size() - end_);
            if (!got.error.empty()) {
                error_ = got.error;
                begin_ = end_;
            }
            ended_ = got.bytes == 0;
            end_ += got.bytes;
        }
    }

    // Why the input ended early ("Is a directory"); empty when it ended at its end.
    const std::string& error() const { return error_; }

  private:
    // The line from begin_ to `end`.
    Line lineOf(std::size_t end) const {
        const std::size_t length = end - begin_;
        return Line{std::string_view(buffer_.data() + begin_, std::min(length, kMaxLineBytes)),
                    length > kMaxLineBytes};
    }

    const ByteStreams& streams_;
    Output& output_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;  // the unread bytes are [begin_, end_)
    std::size_t end_ = 0;
    bool ended_ = false;
    std::string error_;
};

const char* modeName(SolveMode mode) {
    return mode == SolveMode::Right ? "right" : "oblique";
}

// How the answers are written, and which line of the input they answer (0 on the command line).
struct Report {
    bool json = false;
    bool more = false;
    bool explain = false;
    long line = 0;
};

// The figures of the triangle under the page, indented as its lines, and a blank line after them.
void appendFigureLines(std::string& out, const TriangleFigures& figures) {
    constexpr std::string_view kIndent = "           ";
    for (const std::string& line : figureLines(figures)) {
        out += kIndent;
        out += line;
        out += '\n';
    }
    out += '\n';
}

void appendPrintedAnswer(std::string& out, SolveMode mode, const ProblemAnswer& answer, bool more) {
    const AnswerTexts texts = answerTexts(answer.triangle, answer.area);
    out += joinedLines(printedLines(mode, texts, resultLines(mode, answer.triangle, texts.area)));
    if (more) appendFigureLines(out, answer.figures);
}

// An answer as a JSON object: its sides, angles, area, height and width, the figures of the
// triangle under their keys ("perimeter", "height_x", ...), then the name of the case that solved
// it, a text of the program's own that JSON writes as it is.
void appendAnswerJson(std::string& out, const ProblemAnswer& answer, std::string_view caseName) {
    const Triangle& t = answer.triangle;
    const HeightAndWidth& hw = answer.heightAndWidth;
    const std::pair<std::string_view, double> own[] = {{"x", t.x},
                                                       {"y", t.y},
                                                       {"z", t.z},
                                                       {"a", t.a},
                                                       {"b", t.b},
                                                       {"c", t.c},
                                                       {"area", answer.area},
                                                       {"height", hw.height},
                                                       {"width", hw.width}};
    constexpr std::size_t kCount = std::size(own) + kFigureCount;
    char text[kCount * 48];
    char* to = text;
    // An answer repeats its numbers: the height over X is the height onto X, a right triangle's
    // legs are each other's heights and its circumradius is its median to the hypotenuse. A
    // number written before is copied: looking among the few already written costs less than
    // writing it out again.
    std::array<double, kCount> values;
    std::array<std::pair<const char*, const char*>, kCount> texts;
    std::size_t count = 0;
    auto member = [&](std::string_view key, double value) {
        *to++ = ',';
        *to++ = '"';
        to = std::copy(key.begin(), key.end(), to);
        *to++ = '"';
        *to++ = ':';
        char* const start = to;
        const auto written = values.begin() + static_cast<std::ptrdiff_t>(count);
        const auto same = std::find_if(values.begin(), written, [value](double v) {
            return std::bit_cast<std::uint64_t>(v) == std::bit_cast<std::uint64_t>(value);
        });
        if (same != written) {
            const auto& [from, end] = texts[static_cast<std::size_t>(same - values.begin())];
            to = std::copy(from, end, to);
        } else {
            to = writeJsonNumber(to, value);
        }
        values[count] = value;
        texts[count++] = {start, to};
    };
    for (const auto& [key, value] : own)
        member(key, value);
    for (std::size_t i = 0; i < kFigureCount; ++i)
        member(kFigureNames[i].key, answer.figures.values[i]);
    text[0] = '{';  // for the first member's comma
    out.append(text, static_cast<std::size_t>(to - text));
    out += ",\"case\":\"";
    out += caseName;
    out += "\"}";
}

// How the answers were found, after a blank line.
void appendExplanation(std::string& out, const ProblemOutcome& outcome) {
    out += '\n';
    const Triangle* second = outcome.second ? &outcome.second->triangle : nullptr;
    for (const std::string& line :
         explanationLines(outcome.solvedBy, outcome.first.triangle, second)) {
        out += line;
        out += '\n';
    }
}

// One JSON object a problem. The object is kept from one problem to the next and only its values
// change: from one ordinary problem to the next that is numbers only, and making the object
// afresh would cost more than writing it out.
//
// nlohmann-json writes the object but for its answers, which are numbers only and are written
// into its empty array by appendAnswerJson, in the library's form. With the figures of the
// triangle an answer has 21 numbers; through the library they would take twice as long.
class JsonWriter {
  public:
    // `numbered`: each object tells the input line it answers.
    explicit JsonWriter(bool numbered) {
        if (numbered) j_["line"] = 0;
        j_["mode"] = nullptr;
        j_["inputs"] = Json::object();
        j_["answers"] = Json::array();  // always empty: the answers are written into it
        j_["error"] = nullptr;
        // No key is added to the object after this, so the members stay where they are.
        line_ = numbered ? &j_["line"] : nullptr;
        mode_ = &j_["mode"];
        inputs_ = &j_["inputs"];
        error_ = &j_["error"];
    }

    // Appends the object and a line end to `out`.
    void append(std::string& out, long line, const ProblemReading& reading,
                const ProblemOutcome& outcome) {
        if (line_) *line_ = line;
        setMode(reading.mode);

        inputs_->clear();
        if (outcome.status != kExitUsage)
            for (const ProblemInput& in : reading.problem.given())
                (*inputs_)[std::string(1, letterOf(in.entry))] = in.value;

        const bool solved = outcome.status == kExitSolved;
        if (solved) {
            *error_ = nullptr;
        } else {
            *error_ = Json{{"status", outcome.status}, {"message", outcome.error}};
        }
        // The messages show other bytes than printable ASCII as \xNN, so nothing is replaced.
        const std::string object = j_.dump(-1, ' ', false, Json::error_handler_t::replace);
        // "answers":[] occurs once: inside a string its quotes would be escaped.
        constexpr std::string_view kNoAnswers = "\"answers\":[]";
        const std::size_t at = object.find(kNoAnswers) + kNoAnswers.size() - 1;
        out.append(object, 0, at);
        if (solved) {
            appendAnswerJson(out, outcome.first, caseName(outcome.solvedBy.kind));
            if (outcome.second) {
                out += ',';
                appendAnswerJson(out, *outcome.second, caseName(outcome.solvedBy.kind));
            }
        }
        out.append(object, at);
        out += '\n';
    }

  private:
    void setMode(std::optional<SolveMode> mode) {
        if (!mode) {
            *mode_ = nullptr;
        } else if (mode_->is_string()) {
            mode_->get_ref<std::string&>() = modeName(*mode);  // no new string
        } else {
            *mode_ = modeName(*mode);
        }
    }

    Json j_ = Json::object();
    Json* line_ = nullptr;
    Json* mode_ = nullptr;
    Json* inputs_ = nullptr;
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
        json.append(out, report.line, reading, outcome);
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
        appendPrintedAnswer(out, p.mode, outcome.first, report.more);
        if (outcome.second) {
            out += '\n';
            appendPrintedAnswer(out, p.mode, *outcome.second, report.more);
        }
        if (report.explain) appendExplanation(out, outcome);
    }
    output.written();
    return outcome.status;
}

// Writes out what is left; answers that could not all be written are a failure.
int finish(Output& output, int status) {
    output.flush();
    if (!output.failed()) return status;
    output.error("solvara: the answers could not be written to standard output\n");
    return std::max(status, kExitNoTriangle);
}

// Blank lines and comments, however long, are no problems.
bool skipped(const LineReader::Line& line) {
    const std::size_t first = line.text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return !line.cut;
    return line.text[first] == '#';
}

int solveLines(const Report& how, const ByteStreams& streams) {
    Output output(streams);
    JsonWriter json(true);
    LineReader reader(streams, output);
    Report report = how;
    int worst = kExitSolved;
    LineReader::Line line;
    while (!output.failed() && reader.next(line)) {
        ++report.line;
        if (skipped(line)) continue;
        ProblemReading reading;
        if (line.cut) {
            reading.error = "longer than " + std::to_string(kMaxLineBytes) + " bytes";
        } else {
            reading = readProblemLine(line.text);
        }
        worst = std::max(worst, answer(output, json, report, reading));
    }
    if (!reader.error().empty()) {
        output.error("solvara: cannot read standard input: " + reader.error() + "\n");
        worst = kExitUsage;
    }
    return finish(output, worst);
}

// The drawings --svg and --png ask for of a problem that solved, one file an answer. The
// problem is solved again for them: solving is pure and takes microseconds, and the printed
// answers stay as they are. Returns kExitNoTriangle when a file could not be written.
int writeDrawings(const SolveRequest& request, const Problem& problem, Output& output) {
    if (!request.svgFile && !request.pngFile) return kExitSolved;
    const ProblemOutcome outcome = solveProblem(problem);
    if (outcome.status != kExitSolved) return outcome.status;
    std::vector<const Triangle*> answers{&outcome.first.triangle};
    if (outcome.second) answers.push_back(&outcome.second->triangle);
    // The answers go out first: a drawing may be written to standard output too.
    output.flush();
    int status = kExitSolved;
    for (const auto& [file, format] : {std::pair{&request.svgFile, PictureFormat::Svg},
                                       std::pair{&request.pngFile, PictureFormat::Png}}) {
        if (!*file) continue;
        for (std::size_t i = 0; i < answers.size(); ++i) {
            const std::string path = answerFilePath(**file, static_cast<int>(i) + 1);
            const std::string why = writeAnswerDrawing(problem.mode, *answers[i], format, path);
            if (why.empty()) continue;
            output.error("solvara: cannot write " + path + ": " + why + "\n");
            status = kExitNoTriangle;
        }
    }
    return status;
}

}  // namespace

int runSolveCommand(const SolveRequest& request, const ByteStreams& streams) {
    const Report report{request.json, request.more, request.explain, 0};
    if (request.words.size() == 1 && request.words.front() == "-") {
        if (request.svgFile || request.pngFile) {
            streams.error("solvara: -: --svg and --png draw the problem on the command line\n");
            return kExitUsage;
        }
        return solveLines(report, streams);
    }

    std::vector<std::string_view> words(request.words.begin(), request.words.end());
    if (std::find(words.begin(), words.end(), "-") != words.end()) {
        streams.error("solvara: -: reads problems from standard input and comes alone\n");
        return kExitUsage;
    }
    Output output(streams);
    JsonWriter json(false);
    const ProblemReading reading = readProblem(words);
    int status = answer(output, json, report, reading);
    if (status == kExitSolved) status = writeDrawings(request, reading.problem, output);
    return finish(output, status);
}

}  // namespace solvara
