#include "platform/linux/io/randr_screen.h"

#include <xcb/randr.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace platform::linux_backend {

namespace {

constexpr std::uint32_t kMajor = 1;
constexpr std::uint32_t kMinor = 3;  // current screen resources and the primary output

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> Own(T* reply) {
    return Reply<T>(reply, &std::free);
}

std::uint32_t ModeRefresh(const xcb_randr_mode_info_t& mode) {
    std::uint64_t lines = mode.vtotal;
    std::uint64_t clock = mode.dot_clock;
    if (mode.mode_flags & XCB_RANDR_MODE_FLAG_INTERLACE) clock *= 2;
    if (mode.mode_flags & XCB_RANDR_MODE_FLAG_DOUBLE_SCAN) lines *= 2;
    return RefreshOf(clock, mode.htotal, lines);
}

std::uint8_t BitsPerPixel(const xcb_setup_t* setup, std::uint8_t depth) {
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
        if (it.data->depth == depth) return it.data->bits_per_pixel;
    return depth;
}

std::optional<RandrScreen> Ask(xcb_connection_t* c, xcb_screen_t* screen) {
    const auto version = Own(xcb_randr_query_version_reply(c, xcb_randr_query_version(c, kMajor, kMinor), nullptr));
    if (!version || version->major_version < kMajor || (version->major_version == kMajor && version->minor_version < kMinor))
        return std::nullopt;
    const auto resources = Own(xcb_randr_get_screen_resources_current_reply(
        c, xcb_randr_get_screen_resources_current(c, screen->root), nullptr));
    if (!resources) return std::nullopt;
    const auto primary = Own(xcb_randr_get_output_primary_reply(c, xcb_randr_get_output_primary(c, screen->root), nullptr));

    const xcb_randr_output_t* outputs = xcb_randr_get_screen_resources_current_outputs(resources.get());
    const int outputCount = xcb_randr_get_screen_resources_current_outputs_length(resources.get());
    Reply<xcb_randr_get_output_info_reply_t> chosen(nullptr, &std::free);
    for (int i = -1; i < outputCount && !chosen; ++i) {
        const xcb_randr_output_t output = i < 0 ? (primary ? primary->output : 0) : outputs[i];
        if (output == 0) continue;
        auto info = Own(xcb_randr_get_output_info_reply(
            c, xcb_randr_get_output_info(c, output, resources->config_timestamp), nullptr));
        if (info && info->crtc != 0) chosen = std::move(info);
    }
    if (!chosen) return std::nullopt;

    xcb_randr_mode_t currentMode = 0;
    if (const auto crtc = Own(xcb_randr_get_crtc_info_reply(
            c, xcb_randr_get_crtc_info(c, chosen->crtc, resources->config_timestamp), nullptr)))
        currentMode = crtc->mode;

    const xcb_randr_mode_info_t* modes = xcb_randr_get_screen_resources_current_modes(resources.get());
    const int modeCount = xcb_randr_get_screen_resources_current_modes_length(resources.get());
    const xcb_randr_mode_t* outputModes = xcb_randr_get_output_info_modes(chosen.get());
    const int outputModeCount = xcb_randr_get_output_info_modes_length(chosen.get());

    RandrScreen result;
    result.bitsPerPixel = BitsPerPixel(xcb_get_setup(c), screen->root_depth);
    for (int i = 0; i < outputModeCount; ++i) {
        for (int k = 0; k < modeCount; ++k) {
            if (modes[k].id != outputModes[i]) continue;
            result.modes.push_back({modes[k].width, modes[k].height, ModeRefresh(modes[k]), modes[k].id == currentMode});
            break;
        }
    }
    return result;
}

}  // namespace

std::optional<Bytes> LiveRandrScreen(const std::string& display) {
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(display.c_str(), &screenNumber);
    if (!c || xcb_connection_has_error(c)) {
        if (c) xcb_disconnect(c);
        return std::nullopt;
    }
    std::optional<RandrScreen> screen;
    auto it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem; ++i) xcb_screen_next(&it);
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_randr_id);
    if (it.rem && extension && extension->present) screen = Ask(c, it.data);
    xcb_disconnect(c);
    if (!screen) return std::nullopt;
    return EncodeRandrScreen(*screen);
}

}  // namespace platform::linux_backend
