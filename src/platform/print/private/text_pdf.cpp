// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/print/private/text_pdf.h"

#include <memory>

#include "platform/print/private/print_libraries.h"

namespace solvara {

namespace {

constexpr const char* kFace = "DejaVu Sans Mono";
constexpr double kSizePt = 10;
constexpr double kCellWidthPt = 72.0 / 12;

struct CairoDeleter {
    void operator()(cairo_t* cr) const { printLibraries().cairo_destroy(cr); }
    void operator()(cairo_surface_t* s) const { printLibraries().cairo_surface_destroy(s); }
};
using CairoPtr = std::unique_ptr<cairo_t, CairoDeleter>;
using SurfacePtr = std::unique_ptr<cairo_surface_t, CairoDeleter>;

// Selects the face at 10 points, stretched or narrowed so that one advance is exactly one cell:
// the glyphs then sit on the same grid that the layout counted with.
// Metrics are taken unhinted, so that measuring on a pixel surface agrees with the PDF.
void selectFont(cairo_t* cr) {
    const PrintLibraries& lib = printLibraries();
    cairo_font_options_t* options = lib.cairo_font_options_create();
    lib.cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    lib.cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    lib.cairo_set_font_options(cr, options);
    lib.cairo_font_options_destroy(options);
    lib.cairo_select_font_face(cr, kFace, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    lib.cairo_set_font_size(cr, kSizePt);
    cairo_text_extents_t extents{};
    lib.cairo_text_extents(cr, "0", &extents);
    cairo_matrix_t matrix;
    lib.cairo_matrix_init_scale(
        &matrix, extents.x_advance > 0 ? kSizePt * kCellWidthPt / extents.x_advance : kSizePt,
        kSizePt);
    lib.cairo_set_font_matrix(cr, &matrix);
}

cairo_status_t appendTo(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

TextFontMetrics measureTextFont() {
    const PrintLibraries& lib = printLibraries();
    TextFontMetrics metrics;
    SurfacePtr surface(lib.cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1));
    CairoPtr cr(lib.cairo_create(surface.get()));
    selectFont(cr.get());
    cairo_font_extents_t extents{};
    lib.cairo_font_extents(cr.get(), &extents);
    metrics.cellWidthPt = kCellWidthPt;
    metrics.lineHeightPt = extents.height > 0 ? extents.height : kSizePt * 1.2;
    metrics.ascentPt = extents.ascent > 0 ? extents.ascent : kSizePt;
    return metrics;
}

std::string renderTextPdf(const std::vector<TextPage>& pages, const MediaArea& media,
                          const TextFontMetrics& font) {
    const PrintLibraries& lib = printLibraries();
    std::string pdf;
    {
        SurfacePtr surface(
            lib.cairo_pdf_surface_create_for_stream(appendTo, &pdf, media.widthPt, media.heightPt));
        CairoPtr cr(lib.cairo_create(surface.get()));
        selectFont(cr.get());
        cairo_scaled_font_t* scaled = lib.cairo_get_scaled_font(cr.get());
        for (const TextPage& page : pages) {
            lib.cairo_set_source_rgb(cr.get(), 1, 1, 1);
            lib.cairo_paint(cr.get());
            lib.cairo_set_source_rgb(cr.get(), 0, 0, 0);
            for (std::size_t l = 0; l < page.lines.size(); ++l) {
                const std::string& line = page.lines[l];
                const auto last = line.find_last_not_of(' ');
                if (last == std::string::npos) continue;
                // One run per line, each glyph placed on its own cell.
                const std::string utf8 = cp437ToUtf8(std::string_view(line).substr(0, last + 1));
                const double baseline = media.topPt + l * font.lineHeightPt + font.ascentPt;
                cairo_glyph_t* glyphs = nullptr;
                int count = 0;
                cairo_text_cluster_t* clusters = nullptr;
                int clusterCount = 0;
                cairo_text_cluster_flags_t flags{};
                if (lib.cairo_scaled_font_text_to_glyphs(
                        scaled, media.leftPt, baseline, utf8.data(), static_cast<int>(utf8.size()),
                        &glyphs, &count, &clusters, &clusterCount, &flags) != CAIRO_STATUS_SUCCESS)
                    continue;
                for (int c = 0; c < count; ++c) {
                    glyphs[c].x = media.leftPt + c * font.cellWidthPt;
                    glyphs[c].y = baseline;
                }
                lib.cairo_show_text_glyphs(cr.get(), utf8.data(), static_cast<int>(utf8.size()),
                                           glyphs, count, clusters, clusterCount, flags);
                lib.cairo_text_cluster_free(clusters);
                lib.cairo_glyph_free(glyphs);
            }
            lib.cairo_show_page(cr.get());
        }
        if (lib.cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) return {};
        lib.cairo_surface_finish(surface.get());
        if (lib.cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return {};
    }
    return pdf;
}

}  // namespace solvara
