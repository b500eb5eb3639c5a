// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/print/line_drawing.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <memory>
#include <string_view>
#include <system_error>

#include "platform/print/private/print_libraries.h"

namespace solvara {

namespace {

// Cairo's image surfaces are at most this wide and high.
constexpr double kMaxSidePx = 32767;

struct CairoDeleter {
    void operator()(cairo_t* cr) const { printLibraries().cairo_destroy(cr); }
    void operator()(cairo_surface_t* s) const { printLibraries().cairo_surface_destroy(s); }
};
using CairoPtr = std::unique_ptr<cairo_t, CairoDeleter>;
using SurfacePtr = std::unique_ptr<cairo_surface_t, CairoDeleter>;

cairo_status_t appendTo(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

bool finite(DrawingPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

void setSource(cairo_t* cr, Rgb c) {
    printLibraries().cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

// The drawing's units to the picture's pixels. The points are moved here rather than by a
// transformation of cairo's, so that an SVG's paths carry the pixels themselves.
struct Placement {
    double left = 0;
    double top = 0;
    double scale = 1;
    DrawingPoint operator()(DrawingPoint p) const {
        return DrawingPoint{(p.x - left) * scale, (p.y - top) * scale};
    }
};

void draw(cairo_t* cr, const LineDrawing& drawing, const Placement& place) {
    const PrintLibraries& lib = printLibraries();
    setSource(cr, drawing.ground);
    lib.cairo_paint(cr);
    lib.cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    lib.cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (const DrawingStroke& stroke : drawing.strokes) {
        lib.cairo_new_path(cr);
        for (const DrawingLine& line : stroke.lines) {
            if (line.points.empty() || !std::ranges::all_of(line.points, finite)) continue;
            const DrawingPoint first = place(line.points.front());
            lib.cairo_move_to(cr, first.x, first.y);
            for (std::size_t i = 1; i < line.points.size(); ++i) {
                const DrawingPoint p = place(line.points[i]);
                lib.cairo_line_to(cr, p.x, p.y);
            }
            if (line.closed) lib.cairo_close_path(cr);
        }
        for (const DrawingArc& arc : stroke.arcs) {
            if (!finite(arc.centre) || !std::isfinite(arc.radius) || arc.radius < 0 ||
                !std::isfinite(arc.startRad) || !std::isfinite(arc.endRad))
                continue;
            const DrawingPoint c = place(arc.centre);
            // Cairo's angles turn clockwise as seen when y grows downwards: counter-clockwise
            // from start to end is cairo's negative direction from -start to -end.
            lib.cairo_new_sub_path(cr);
            lib.cairo_arc_negative(cr, c.x, c.y, arc.radius * place.scale, -arc.startRad,
                                   -arc.endRad);
        }
        setSource(cr, stroke.colour);
        lib.cairo_set_line_width(cr, stroke.width * place.scale);
        lib.cairo_stroke(cr);
    }
}

// The picture's bytes, empty when cairo fails.
std::string render(const LineDrawing& drawing, PictureFormat format, const Placement& place,
                   int widthPx, int heightPx) {
    const PrintLibraries& lib = printLibraries();
    std::string bytes;
    SurfacePtr surface(
        format == PictureFormat::Svg
            ? lib.cairo_svg_surface_create_for_stream(appendTo, &bytes, widthPx, heightPx)
            : lib.cairo_image_surface_create(CAIRO_FORMAT_RGB24, widthPx, heightPx));
    if (lib.cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return {};
    if (format == PictureFormat::Svg)
        lib.cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PX);
    {
        CairoPtr cr(lib.cairo_create(surface.get()));
        draw(cr.get(), drawing, place);
        if (lib.cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) return {};
    }
    if (format == PictureFormat::Png) {
        lib.cairo_surface_flush(surface.get());
        if (lib.cairo_surface_write_to_png_stream(surface.get(), appendTo, &bytes) !=
            CAIRO_STATUS_SUCCESS)
            return {};
    }
    lib.cairo_surface_finish(surface.get());
    if (lib.cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return {};
    return bytes;
}

// Writes `bytes` to the file at `path`, created or emptied first. Returns why it failed.
std::string writeFile(const std::string& path, std::string_view bytes) {
    auto why = [](int error) { return std::generic_category().message(error); };
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return why(errno);
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : EIO;
            ::close(fd);
            return why(error);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    // A file system may report a failed write only when the file is closed.
    if (::close(fd) != 0 && errno != EINTR) return why(errno);
    return {};
}

}  // namespace

std::string writeLineDrawing(const LineDrawing& drawing, PictureFormat format, double pixelsPerUnit,
                             const std::string& path) {
    const double widthPx = std::round(drawing.width * pixelsPerUnit);
    const double heightPx = std::round(drawing.height * pixelsPerUnit);
    if (!(widthPx >= 1 && widthPx <= kMaxSidePx && heightPx >= 1 && heightPx <= kMaxSidePx))
        return "the picture would be " + std::to_string(widthPx) + " x " +
               std::to_string(heightPx) + " pixels";
    if (!loadPrintLibraries()) return "cairo (libcairo.so.2) could not be loaded";
    const Placement place{drawing.left, drawing.top, pixelsPerUnit};
    const std::string bytes =
        render(drawing, format, place, static_cast<int>(widthPx), static_cast<int>(heightPx));
    if (bytes.empty()) return "cairo could not draw the picture";
    return writeFile(path, bytes);
}

}  // namespace solvara
