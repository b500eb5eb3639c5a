// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/x11/x_session.h"

// Before Xlib, whose macros (None, Status) would take names in the program's headers.
#include "support/harness.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/display/display.h"
#include "platform/files/shell_quote.h"

namespace solvara::xtest {

namespace {

using Clock = std::chrono::steady_clock;
// How long an X server, a window manager, Weston or the program may take to be ready. A start
// that works never waits this long; make test runs both suites and the fuzz targets side by side
// on two cores, where the program under the sanitizers took more than ten seconds to show its
// window on Weston.
constexpr auto kReadyWithin = std::chrono::seconds(30);

// One connection to the private server, opened on first use and closed before the server stops.
::Display* openConnection = nullptr;

::Display* connection() {
    if (openConnection == nullptr) openConnection = XOpenDisplay(nullptr);
    return openConnection;
}

void closeConnection() {
    if (openConnection != nullptr) XCloseDisplay(openConnection);
    openConnection = nullptr;
}

void setOrUnset(const char* name, const std::optional<std::string>& value) {
    if (value)
        setenv(name, value->c_str(), 1);
    else
        unsetenv(name);
}

std::optional<std::string> currentEnv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

// The mapped window under `parent` whose _NET_WM_PID is `pid`, or 0; a window manager puts the
// program's window inside a frame of its own, so frames are searched too.
unsigned long windowOfProcess(::Display* dpy, Window parent, Atom pidAtom, pid_t pid, int depth) {
    Window root = 0;
    Window up = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    unsigned long found = 0;
    if (!XQueryTree(dpy, parent, &root, &up, &children, &count)) return 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(dpy, children[i], &attributes) ||
            attributes.map_state != IsViewable)
            continue;
        Atom type = None;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(dpy, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                               &items, &after, &data) == Success &&
            data != nullptr) {
            if (items == 1 && static_cast<pid_t>(*reinterpret_cast<long*>(data)) == pid)
                found = children[i];
            XFree(data);
        }
        if (found == 0 && depth > 0)
            found = windowOfProcess(dpy, children[i], pidAtom, pid, depth - 1);
    }
    if (children != nullptr) XFree(children);
    return found;
}

unsigned long windowOfProcess(pid_t pid) {
    ::Display* dpy = connection();
    if (dpy == nullptr) return 0;
    const Atom pidAtom = XInternAtom(dpy, "_NET_WM_PID", True);
    if (pidAtom == None) return 0;
    return windowOfProcess(dpy, DefaultRootWindow(dpy), pidAtom, pid, 2);
}

// A property of 32-bit items as numbers, empty when absent.
std::vector<long> longsProperty(unsigned long window, const char* name) {
    std::vector<long> values;
    ::Display* dpy = connection();
    if (dpy == nullptr || window == 0) return values;
    const Atom atom = XInternAtom(dpy, name, True);
    if (atom == None) return values;
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, window, atom, 0, 16, False, AnyPropertyType, &type, &format, &items,
                           &after, &data) == Success &&
        data != nullptr) {
        if (format == 32) {
            const long* items32 = reinterpret_cast<const long*>(data);
            values.assign(items32, items32 + items);
        }
        XFree(data);
    }
    return values;
}

Image grabRect(int x, int y, int width, int height) {
    Image image;
    ::Display* dpy = connection();
    if (dpy == nullptr || width <= 0 || height <= 0) return image;
    // Asking for pixels off the screen is an X error that ends the test: a window that opened
    // partly off the screen shows nothing. The screen's size is asked, since RandR may have
    // changed it since the connection was opened.
    XWindowAttributes root{};
    if (!XGetWindowAttributes(dpy, DefaultRootWindow(dpy), &root) || x < 0 || y < 0 ||
        x + width > root.width || y + height > root.height)
        return image;
    XImage* shot = XGetImage(dpy, DefaultRootWindow(dpy), x, y, static_cast<unsigned>(width),
                             static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (shot == nullptr) return image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * height);
    // A channel's place in a pixel value, found once per grab.
    struct Channel {
        int shift = 0;
        unsigned long max = 0;
        explicit Channel(unsigned long mask) {
            if (mask == 0) return;
            while (((mask >> shift) & 1) == 0)
                ++shift;
            max = mask >> shift;
        }
        unsigned char of(unsigned long pixel, unsigned long mask) const {
            return max == 0 ? 0 : static_cast<unsigned char>(((pixel & mask) >> shift) * 255 / max);
        }
    };
    const Channel red(shot->red_mask);
    const Channel green(shot->green_mask);
    const Channel blue(shot->blue_mask);
    // The servers of the tests keep 32-bit pixels in this machine's byte order, which are read
    // straight from the image; XGetPixel costs a call per pixel, felt at a scale of 2.
    const bool direct =
        shot->bits_per_pixel == 32 &&
        shot->byte_order == (std::endian::native == std::endian::little ? LSBFirst : MSBFirst);
    for (int row = 0; row < height; ++row) {
        const char* line = shot->data + static_cast<std::ptrdiff_t>(row) * shot->bytes_per_line;
        Rgb* out = &image.pixels[static_cast<std::size_t>(row) * width];
        for (int col = 0; col < width; ++col) {
            unsigned long p = 0;
            if (direct) {
                std::uint32_t value = 0;
                std::memcpy(&value, line + static_cast<std::ptrdiff_t>(col) * 4, 4);
                p = value;
            } else {
                p = XGetPixel(shot, col, row);
            }
            out[col] = Rgb{red.of(p, shot->red_mask), green.of(p, shot->green_mask),
                           blue.of(p, shot->blue_mask)};
        }
    }
    XDestroyImage(shot);
    return image;
}

int run(const std::string& command) {
    return std::system(command.c_str());
}

}  // namespace

Image screenArea(Point topLeft, Size size) {
    return grabRect(topLeft.x, topLeft.y, size.width, size.height);
}

void pauseMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::filesystem::path freshProgramCopy(const std::filesystem::path& binary) {
    std::string pattern = (std::filesystem::temp_directory_path() / "solvara-x-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return {};
    const std::filesystem::path dir = pattern;
    std::error_code ec;
    std::filesystem::copy_file(binary, dir / "solvara", ec);
    return ec ? std::filesystem::path() : dir;
}

bool runOnServer(const std::string& commandLine) {
    return run("(" + commandLine + ") >/dev/null 2>&1") == 0;
}

std::string xdotool(const std::string& arguments) {
    std::string output;
    FILE* pipe = popen(("xdotool " + arguments + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        output += buffer;
    pclose(pipe);
    return output;
}

std::string clipboardText() {
    std::string output;
    FILE* pipe = popen("timeout 3 xclip -o -selection clipboard 2>/dev/null", "r");
    if (pipe == nullptr) return output;
    char buffer[256];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    pclose(pipe);
    return output;
}

bool writePng(const Image& image, const std::filesystem::path& path) {
    const std::filesystem::path ppm = path.string() + ".ppm";
    {
        std::ofstream out(ppm, std::ios::binary);
        out << "P6\n" << image.width << ' ' << image.height << "\n255\n";
        for (const Rgb& p : image.pixels) {
            const char rgb[3] = {static_cast<char>(p.r), static_cast<char>(p.g),
                                 static_cast<char>(p.b)};
            out.write(rgb, 3);
        }
        if (!out) return false;
    }
    const bool ok = run("convert " + shellQuoted(ppm.string()) + " " +
                        shellQuoted("png:" + path.string())) == 0;
    std::error_code ec;
    std::filesystem::remove(ppm, ec);
    return ok;
}

Image visiblePage(testing::Harness& twin) {
    Display& d = twin.program.display();
    return pageImage({d.pageData(d.visiblePage()), &d.palette()},
                     Size{Display::kWidth, Display::kHeight});
}

std::string scaleName(const ::testing::TestParamInfo<int>& info) {
    return "Scale" + std::to_string(info.param);
}

Image pageImage(PageSource page, Size size) {
    Image image;
    image.width = size.width;
    image.height = size.height;
    image.pixels.resize(static_cast<std::size_t>(size.width) * size.height);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = (*page.palette)[page.indexes[i]];
    return image;
}

Image enlarged(const Image& image, int n) {
    Image big;
    big.width = image.width * n;
    big.height = image.height * n;
    big.pixels.resize(static_cast<std::size_t>(big.width) * big.height);
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x)
            big.pixels[static_cast<std::size_t>(y) * big.width + x] = image.at(x / n, y / n);
    return big;
}

std::string describeDifference(const Image& actual, const Image& expected) {
    if (actual.width != expected.width || actual.height != expected.height)
        return "sizes differ: " + std::to_string(actual.width) + "x" +
               std::to_string(actual.height) + " against " + std::to_string(expected.width) + "x" +
               std::to_string(expected.height);
    long count = 0;
    std::ostringstream first;
    for (int y = 0; y < actual.height; ++y)
        for (int x = 0; x < actual.width; ++x) {
            const Rgb a = actual.at(x, y);
            const Rgb e = expected.at(x, y);
            if (a == e) continue;
            if (count++ == 0)
                first << " first at (" << x << ", " << y << "): (" << int(a.r) << ", " << int(a.g)
                      << ", " << int(a.b) << ") instead of (" << int(e.r) << ", " << int(e.g)
                      << ", " << int(e.b) << ")";
        }
    return std::to_string(count) + " pixels differ;" + first.str();
}

// --- the server --------------------------------------------------------------------------------

XServer::~XServer() {
    closeConnection();
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        setOrUnset("DISPLAY", oldDisplay_);
        setOrUnset("WAYLAND_DISPLAY", oldWayland_);
    }
    std::error_code ec;
    if (!files_.empty()) std::filesystem::remove_all(files_, ec);
}

bool XServer::start(std::string& error, Size screen) {
    const std::string size =
        std::to_string(screen.width) + "x" + std::to_string(screen.height) + "x24";
    if (launch({"Xvfb", "-displayfd", "{fd}", "-screen", "0", size, "-nolisten", "tcp", "-noreset"},
               error))
        return true;
    if (error.empty()) error = "Xvfb did not start (is the xvfb package installed?)";
    return false;
}

bool XServer::startXorg(std::string& error) {
    std::string pattern = (std::filesystem::temp_directory_path() / "solvara-xorg-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        error = "no directory for Xorg's files";
        return false;
    }
    files_ = pattern;
    // No input devices but XTest's (no udev here, and none is needed); the dummy card needs
    // memory for the largest screen the outputs are arranged into, 64 MB for about 4000 x 4000.
    // The monitor's ranges let every mode of the driver's list through.
    std::ofstream(files_ / "xorg.conf") << R"(Section "ServerFlags"
    Option "AutoAddDevices" "false"
EndSection
Section "Device"
    Identifier "card"
    Driver "dummy"
    VideoRam 64000
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5-1000
    VertRefresh 5-200
EndSection
Section "Screen"
    Identifier "screen"
    Device "card"
    Monitor "monitor"
EndSection
)";
    // Without a console of its own: it shares the one it finds and never switches to another.
    if (launch({"Xorg", "-displayfd", "{fd}", "-config", (files_ / "xorg.conf").string(),
                "-logfile", (files_ / "Xorg.log").string(), "-noreset", "-nolisten", "tcp",
                "-novtswitch", "-sharevts"},
               error))
        return true;
    if (error.empty()) {
        error =
            "Xorg did not start (are xserver-xorg-core and xserver-xorg-video-dummy "
            "installed, and is this root?)";
        std::ifstream log(files_ / "Xorg.log");
        for (std::string line; std::getline(log, line);)
            if (line.find("(EE)") != std::string::npos) error += "\n" + line;
    }
    return false;
}

bool XServer::launch(std::vector<std::string> arguments, std::string& error) {
    int fds[2];
    if (pipe(fds) != 0) {
        error = "no pipe";
        return false;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        error = "cannot fork";
        return false;
    }
    if (pid == 0) {
        close(fds[0]);
        const int devnull = open("/dev/null", O_WRONLY);
        if (devnull >= 0) {
            dup2(devnull, 1);
            dup2(devnull, 2);
        }
        std::vector<char*> argv;
        for (std::string& a : arguments) {
            if (a == "{fd}") a = std::to_string(fds[1]);
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    pid_ = pid;
    std::string number;
    const auto deadline = Clock::now() + kReadyWithin;
    while (Clock::now() < deadline && number.find('\n') == std::string::npos) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) continue;
        char buffer[32];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0) break;
        number.append(buffer, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    if (number.find('\n') == std::string::npos) return false;
    number.pop_back();
    display_ = ":" + number;
    oldDisplay_ = currentEnv("DISPLAY");
    oldWayland_ = currentEnv("WAYLAND_DISPLAY");
    setenv("DISPLAY", display_.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    if (connection() == nullptr) {
        error = "cannot connect to " + display_;
        return false;
    }
    return true;
}

// --- the desktop -------------------------------------------------------------------------------

WindowManager::~WindowManager() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

bool WindowManager::start(const std::string& name, std::string& error) {
    ::Display* dpy = connection();
    if (dpy == nullptr) {
        error = "no X server";
        return false;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        error = "cannot fork";
        return false;
    }
    if (pid == 0) {
        const int devnull = open("/dev/null", O_WRONLY);
        if (devnull >= 0) {
            dup2(devnull, 1);
            dup2(devnull, 2);
        }
        execlp(name.c_str(), name.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    pid_ = pid;
    // A window manager that has taken the screen names its check window on the root.
    const bool running = App::waitFor(
        [&] {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                return true;
            }
            return !longsProperty(DefaultRootWindow(dpy), "_NET_SUPPORTING_WM_CHECK").empty();
        },
        kReadyWithin);
    if (!running || pid_ < 0) {
        error = name + " did not start (is it installed?)";
        return false;
    }
    // Let it adopt the windows already there.
    pauseMs(300);
    return true;
}

unsigned long WindowManager::activeWindow() {
    ::Display* dpy = connection();
    if (dpy == nullptr) return 0;
    const auto active = longsProperty(DefaultRootWindow(dpy), "_NET_ACTIVE_WINDOW");
    return active.empty() ? 0 : static_cast<unsigned long>(active[0]);
}

// The page's outer frame, drawn in this colour on every screen.
constexpr Rgb kFrameCyan{0, 170, 170};

Weston::~Weston() {
    stop();
    std::error_code ec;
    if (!runtimeDir_.empty()) std::filesystem::remove_all(runtimeDir_, ec);
}

void Weston::stop() {
    if (pid_ <= 0) return;
    // Weston and the shell client it started share its process group.
    kill(-pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    kill(-pid_, SIGKILL);
    pid_ = -1;
}

bool Weston::start(Size output, std::string& error) {
    ::Display* dpy = connection();
    if (dpy == nullptr) {
        error = "no X server";
        return false;
    }
    output_ = output;
    // mkdtemp makes the directory 0700, as a runtime directory must be.
    std::string pattern = (std::filesystem::temp_directory_path() / "solvara-wl-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        error = "cannot make a runtime directory";
        return false;
    }
    runtimeDir_ = pattern;
    socket_ = "solvara-" + std::to_string(getpid());
    const std::filesystem::path config = runtimeDir_ / "weston.ini";
    {
        // An empty input-method path starts no on-screen keyboard.
        std::ofstream ini(config);
        ini << "[shell]\npanel-position=none\nbackground-color=0xff404040\n"
               "[input-method]\npath=\n";
    }
    const std::string log = (runtimeDir_ / "weston.log").string();
    const std::string configArg = "--config=" + config.string();
    const std::string socketArg = "--socket=" + socket_;
    const std::string widthArg = "--width=" + std::to_string(output.width);
    const std::string heightArg = "--height=" + std::to_string(output.height);
    const pid_t pid = fork();
    if (pid < 0) {
        error = "cannot fork";
        return false;
    }
    if (pid == 0) {
        setsid();
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0) {
            dup2(out, 1);
            dup2(out, 2);
        }
        setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
        execlp("weston", "weston", "--backend=x11-backend.so", configArg.c_str(), socketArg.c_str(),
               widthArg.c_str(), heightArg.c_str(), "--idle-time=0", static_cast<char*>(nullptr));
        _exit(127);
    }
    pid_ = pid;
    const auto ended = [&] {
        if (waitpid(pid_, nullptr, WNOHANG) != pid_) return false;
        pid_ = -1;
        return true;
    };
    // Its output window is the only window on the bare server.
    Window outputWindow = 0;
    const bool up = App::waitFor(
        [&] {
            if (ended()) return true;
            struct stat socket {};
            if (stat((runtimeDir_ / socket_).c_str(), &socket) != 0 || !S_ISSOCK(socket.st_mode))
                return false;
            Window root = 0;
            Window parent = 0;
            Window* children = nullptr;
            unsigned int count = 0;
            if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count) &&
                count > 0) {
                XWindowAttributes attributes;
                if (XGetWindowAttributes(dpy, children[0], &attributes) &&
                    attributes.map_state == IsViewable)
                    outputWindow = children[0];
            }
            if (children != nullptr) XFree(children);
            return outputWindow != 0;
        },
        kReadyWithin);
    if (!up || pid_ < 0) {
        std::ifstream in(log);
        std::stringstream text;
        text << in.rdbuf();
        error = "weston did not start (is the weston package installed?): " + text.str();
        return false;
    }
    XSetInputFocus(dpy, outputWindow, RevertToParent, CurrentTime);
    XSync(dpy, False);
    return true;
}

OtherWindow::OtherWindow() {
    ::Display* dpy = connection();
    if (dpy == nullptr) return;
    window_ = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 300, 200, 0,
                                  BlackPixel(dpy, DefaultScreen(dpy)),
                                  WhitePixel(dpy, DefaultScreen(dpy)));
    XStoreName(dpy, window_, "another program");
    XMapRaised(dpy, window_);
    XSync(dpy, False);
}

OtherWindow::~OtherWindow() {
    ::Display* dpy = connection();
    if (dpy == nullptr || window_ == 0) return;
    XDestroyWindow(dpy, window_);
    XSync(dpy, False);
}

// Each waits until the server has taken the event, as xdotool's --sync would, without a process
// of its own.
void pointerToDesktop(Point desktop) {
    ::Display* dpy = connection();
    if (dpy == nullptr) return;
    XTestFakeMotionEvent(dpy, -1, desktop.x, desktop.y, CurrentTime);
    XSync(dpy, False);
}

void pointerBy(Point step) {
    ::Display* dpy = connection();
    if (dpy == nullptr) return;
    XTestFakeRelativeMotionEvent(dpy, step.x, step.y, CurrentTime);
    XSync(dpy, False);
}

void pointerButton(bool down, int button) {
    ::Display* dpy = connection();
    if (dpy == nullptr) return;
    XTestFakeButtonEvent(dpy, static_cast<unsigned int>(button), down ? True : False, CurrentTime);
    XSync(dpy, False);
}

Point pointerOnDesktop() {
    Point p;
    ::Display* dpy = connection();
    if (dpy == nullptr) return p;
    Window root = 0;
    Window child = 0;
    Point inRoot;
    unsigned int mask = 0;
    XQueryPointer(dpy, DefaultRootWindow(dpy), &root, &child, &p.x, &p.y, &inRoot.x, &inRoot.y,
                  &mask);
    return p;
}

// --- the keyboard ------------------------------------------------------------------------------

bool setKeyboardLayout(const std::string& layout, const std::string& options) {
    // -option "" first clears the options the server started with.
    std::string command = "setxkbmap -layout " + shellQuoted(layout) + " -option ''";
    if (!options.empty()) command += " -option " + shellQuoted(options);
    return run(command + " 2>/dev/null") == 0;
}

void setNumLock(bool on) {
    ::Display* dpy = connection();
    if (dpy == nullptr) return;
    // The modifier bit Num Lock sets (Mod2 on most maps) comes from the key map.
    const unsigned int mask = XkbKeysymToModifiers(dpy, XK_Num_Lock);
    XkbLockModifiers(dpy, XkbUseCoreKbd, mask, on ? mask : 0);
    XSync(dpy, False);
}

bool pressKeyAt(const std::string& position) {
    ::Display* dpy = connection();
    if (dpy == nullptr) return false;
    XkbDescPtr keyboard = XkbGetMap(dpy, 0, XkbUseCoreKbd);
    if (keyboard == nullptr) return false;
    KeyCode code = 0;
    if (XkbGetNames(dpy, XkbKeyNamesMask, keyboard) == Success && keyboard->names != nullptr) {
        for (int k = keyboard->min_key_code; k <= keyboard->max_key_code && code == 0; ++k) {
            // Key names are four characters, padded with NULs.
            const char* name = keyboard->names->keys[k].name;
            if (std::string(name, strnlen(name, XkbKeyNameLength)) == position)
                code = static_cast<KeyCode>(k);
        }
    }
    XkbFreeKeyboard(keyboard, 0, True);
    if (code == 0) return false;
    XTestFakeKeyEvent(dpy, code, True, CurrentTime);
    XTestFakeKeyEvent(dpy, code, False, CurrentTime);
    XFlush(dpy);
    pauseMs(50);
    return true;
}

// --- the program -------------------------------------------------------------------------------

App::~App() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool App::start(const std::filesystem::path& binary, const std::filesystem::path& directory,
                std::string& error, std::optional<int> scale,
                const std::vector<std::string>& arguments) {
    errorFile_ = directory / "solvara.stderr";
    const std::string out = (directory / "solvara.stdout").string();
    const std::string err = errorFile_.string();
    const pid_t pid = fork();
    if (pid < 0) {
        error = "cannot fork";
        return false;
    }
    if (pid == 0) {
        if (chdir(directory.c_str()) != 0) _exit(126);
        const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (o >= 0) dup2(o, 1);
        if (e >= 0) dup2(e, 2);
        if (scale)
            setenv("SOLVARA_SCALE", std::to_string(*scale).c_str(), 1);
        else
            unsetenv("SOLVARA_SCALE");
        unsetenv("GDK_SCALE");
        std::vector<char*> argv{const_cast<char*>(binary.c_str())};
        for (const std::string& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(binary.c_str(), argv.data());
        _exit(127);
    }
    pid_ = pid;
    const bool mapped = waitFor(
        [&] {
            if (!running()) return true;
            window_ = windowOfProcess(pid_);
            return window_ != 0;
        },
        kReadyWithin);
    if (!mapped || window_ == 0) {
        error = "no window appeared; stderr: " + errorOutput();
        return false;
    }
    // The program settles its scale before it shows the window.
    scale_ = std::max(1, size().width / Display::kWidth);
    // Without a desktop nobody gives the window the keyboard; xdotool's keys go to the focus.
    ::Display* dpy = connection();
    XSetInputFocus(dpy, window_, RevertToParent, CurrentTime);
    XSync(dpy, False);
    // The main screen is up once its outer frame shows, cyan in the bottom-right corner.
    const bool shown = waitFor(
        [&] {
            const Point p = onDesktop(642, 482);
            return grabRect(p.x, p.y, 1, 1).pixels == std::vector<Rgb>{{0, 170, 170}};
        },
        kReadyWithin);
    if (!shown) {
        error = "the main screen did not appear";
        return false;
    }
    // The pauses after drawing (about 100 ms) end before the first poll; a click before it
    // would be lost, as it would for a user.
    pauseMs(300);
    return true;
}

bool App::startOnWayland(const std::filesystem::path& binary,
                         const std::filesystem::path& directory, const Weston& weston,
                         std::string& error, int scale) {
    scale_ = scale;
    waylandOutput_ = weston.output();
    errorFile_ = directory / "solvara.stderr";
    const std::string err = errorFile_.string();
    const pid_t pid = fork();
    if (pid < 0) {
        error = "cannot fork";
        return false;
    }
    if (pid == 0) {
        if (chdir(directory.c_str()) != 0) _exit(126);
        const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (e >= 0) dup2(e, 2);
        setenv("SOLVARA_SCALE", std::to_string(scale).c_str(), 1);
        unsetenv("DISPLAY");
        setenv("WAYLAND_DISPLAY", weston.socket().c_str(), 1);
        setenv("XDG_RUNTIME_DIR", weston.runtimeDir().c_str(), 1);
        execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    pid_ = pid;
    // The main screen is up once its frame shows whole and stays put.
    std::optional<Placed> last;
    const bool shown = waitFor(
        [&] {
            if (!running()) return true;
            const auto now = frameOnScreen();
            const bool same =
                now && last && now->position == last->position && now->size == last->size;
            last = now;
            return same;
        },
        kReadyWithin);
    if (!shown || !running()) {
        error = "no window appeared; stderr: " + errorOutput();
        return false;
    }
    pauseMs(300);
    return true;
}

std::optional<App::Placed> App::frameOnScreen() const {
    // The window moves only when dragged: where the frame was last found is asked first, which
    // four one-pixel lines answer. A window moved by any amount leaves at least one of its old
    // edges outside itself.
    const auto allFrame = [](const Image& line) {
        return !line.pixels.empty() && std::all_of(line.pixels.begin(), line.pixels.end(),
                                                   [](Rgb p) { return p == kFrameCyan; });
    };
    if (lastFrame_) {
        const Point p = lastFrame_->position;
        const Size s = lastFrame_->size;
        if (allFrame(grabRect(p.x, p.y, s.width, 1)) &&
            allFrame(grabRect(p.x, p.y + s.height - 1, s.width, 1)) &&
            allFrame(grabRect(p.x, p.y, 1, s.height)) &&
            allFrame(grabRect(p.x + s.width - 1, p.y, 1, s.height)))
            return lastFrame_;
    }
    const Image screen = grabRect(0, 0, waylandOutput_->width, waylandOutput_->height);
    Point topLeft{screen.width, screen.height};
    Point bottomRight{-1, -1};
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x)
            if (screen.at(x, y) == kFrameCyan) {
                topLeft = Point{std::min(topLeft.x, x), std::min(topLeft.y, y)};
                bottomRight = Point{std::max(bottomRight.x, x), std::max(bottomRight.y, y)};
            }
    lastFrame_.reset();
    if (bottomRight.x < 0) return std::nullopt;
    lastFrame_ =
        Placed{topLeft, Size{bottomRight.x - topLeft.x + 1, bottomRight.y - topLeft.y + 1}};
    return lastFrame_;
}

bool App::running() {
    if (pid_ <= 0) return false;
    return waitpid(pid_, nullptr, WNOHANG) == 0;
}

std::optional<int> App::waitExit(std::chrono::milliseconds limit) {
    if (pid_ <= 0) return std::nullopt;
    const auto deadline = Clock::now() + limit;
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            pid_ = -1;
            if (WIFEXITED(status)) return WEXITSTATUS(status);
            return 128 + WTERMSIG(status);
        }
        if (Clock::now() >= deadline) return std::nullopt;
        pauseMs(10);
    }
}

std::string App::errorOutput() const {
    std::ifstream in(errorFile_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

Point App::position() const {
    if (waylandOutput_) return frameOnScreen().value_or(Placed{}).position;
    ::Display* dpy = connection();
    int x = 0;
    int y = 0;
    Window child = 0;
    if (dpy != nullptr && window_ != 0)
        XTranslateCoordinates(dpy, window_, DefaultRootWindow(dpy), 0, 0, &x, &y, &child);
    return Point{x, y};
}

Size App::size() const {
    if (waylandOutput_) return frameOnScreen().value_or(Placed{}).size;
    ::Display* dpy = connection();
    XWindowAttributes attributes{};
    if (dpy == nullptr || window_ == 0 || !XGetWindowAttributes(dpy, window_, &attributes))
        return Size{};
    return Size{attributes.width, attributes.height};
}

std::string App::title() const {
    ::Display* dpy = connection();
    char* name = nullptr;
    std::string title;
    if (dpy != nullptr && window_ != 0 && XFetchName(dpy, window_, &name) && name != nullptr) {
        title = name;
        XFree(name);
    }
    return title;
}

std::vector<long> App::motifHints() const {
    return longsProperty(window_, "_MOTIF_WM_HINTS");
}

std::vector<long> App::frameExtents() const {
    return longsProperty(window_, "_NET_FRAME_EXTENTS");
}

Image App::grab() const {
    const Point p = position();
    const Size s = size();
    return grabRect(p.x, p.y, s.width, s.height);
}

Image App::grabUntil(const Image& expected, std::chrono::milliseconds limit) const {
    Image last;
    waitFor(
        [&] {
            last = grab();
            return last == expected;
        },
        limit);
    return last;
}

bool App::waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    for (;;) {
        if (condition()) return true;
        if (Clock::now() >= deadline) return false;
        pauseMs(20);
    }
}

void App::type(const std::string& text) const {
    for (char c : text) {
        if (c == '\r')
            key("Return");
        else {
            xdotool("type --delay 0 -- " + shellQuoted(std::string(1, c)));
            pauseMs(50);
        }
    }
}

void App::key(const std::string& keyName) const {
    xdotool("key --delay 0 " + keyName);
    pauseMs(50);
}

Point App::onDesktop(int x, int y) const {
    const Point p = position();
    return Point{p.x + x * scale_ + scale_ / 2, p.y + y * scale_ + scale_ / 2};
}

void App::moveTo(int x, int y) const {
    pointerToDesktop(onDesktop(x, y));
    pauseMs(50);
}

void App::press(int button) const {
    pointerButton(true, button);
    pauseMs(50);
}

void App::release(int button) const {
    pointerButton(false, button);
    pauseMs(50);
}

void App::click(int x, int y, int button) const {
    moveTo(x, y);
    press(button);
    release(button);
}

void App::coverAndUncover() const {
    ::Display* dpy = connection();
    if (dpy == nullptr || window_ == 0) return;
    const Point p = position();
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = BlackPixel(dpy, DefaultScreen(dpy));
    const Window cover = XCreateWindow(dpy, DefaultRootWindow(dpy), p.x + 100, p.y + 100, 300, 250,
                                       0, CopyFromParent, InputOutput, CopyFromParent,
                                       CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(dpy, cover);
    XSync(dpy, False);
    pauseMs(200);
    XDestroyWindow(dpy, cover);
    XSync(dpy, False);
}

void App::requestClose() const {
    ::Display* dpy = connection();
    if (dpy == nullptr || window_ == 0) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, window_, False, NoEventMask, &event);
    XSync(dpy, False);
}

}  // namespace solvara::xtest
