// Animated WebP through libwebp's animation encoder, lossless: the map's thin
// lines and small text keep their exact colours, and the encoder itself
// stores each frame as the rectangle that changed. The encoder keeps the
// compressed frames until the end, when the file is assembled and written;
// the raw frames are not kept.
#include "host/linux_files.h"
#include "host/record_sinks.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace zintu {
namespace {

// Lossless effort from 0 (fastest) to 9: the lowest keeps a day's recording
// quick, and flat map colours compress well even so.
constexpr int kLosslessLevel = 0;

struct WebPState {
    std::string path;
    PendingFile pending;
    RecordFormat format;
    WebPAnimEncoder* encoder = nullptr;
    WebPConfig config{};

    ~WebPState() {
        if (encoder != nullptr) WebPAnimEncoderDelete(encoder);
    }
};

bool begin(WebPState& s, const RecordFormat& format, std::string& error) {
    s.format = format;
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&s.config) ||
        !WebPConfigLosslessPreset(&s.config, kLosslessLevel)) {
        error = "the WebP encoder does not match the program's libwebp";
        return false;
    }
    options.anim_params.loop_count = 0; // forever
    if (!open_pending_file(s.path, s.pending, error)) return false;
    s.encoder = WebPAnimEncoderNew(format.width, format.height, &options);
    if (s.encoder == nullptr) {
        error = "cannot start the WebP encoder";
        return false;
    }
    return true;
}

bool add(WebPState& s, const RecordedFrame& frame, std::string& error) {
    WebPPicture picture;
    if (!WebPPictureInit(&picture)) {
        error = "the WebP encoder does not match the program's libwebp";
        return false;
    }
    picture.use_argb = 1;
    picture.width = s.format.width;
    picture.height = s.format.height;
    const bool ok =
        WebPPictureImportRGB(&picture, frame.rgb, s.format.width * 3) &&
        WebPAnimEncoderAdd(s.encoder, &picture, static_cast<int>(frame.video_ms), &s.config);
    WebPPictureFree(&picture);
    if (!ok)
        error = std::string("cannot encode a WebP frame: ") + WebPAnimEncoderGetError(s.encoder);
    return ok;
}

bool finish(WebPState& s, std::string& error) {
    const int end_ms =
        static_cast<int>(s.format.frame_count * 1000 / std::max<int32_t>(s.format.fps, 1));
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAdd(s.encoder, nullptr, end_ms, nullptr) ||
        !WebPAnimEncoderAssemble(s.encoder, &data)) {
        error = std::string("cannot assemble the WebP file: ") + WebPAnimEncoderGetError(s.encoder);
        discard_pending_file(s.pending);
        return false;
    }
    const int write_errno = write_all(s.pending.fd, data.bytes, data.size);
    WebPDataClear(&data);
    if (write_errno != 0) {
        error = "cannot write '" + s.path + "': " + std::strerror(write_errno);
        discard_pending_file(s.pending);
        return false;
    }
    return commit_pending_file(s.pending, error);
}

} // namespace

FrameSink make_webp_sink(const std::string& path) {
    auto state = std::make_shared<WebPState>();
    state->path = path;
    return {[state](const RecordFormat& format, std::string& error) {
                return begin(*state, format, error);
            },
            [state](const RecordedFrame& f, std::string& error) { return add(*state, f, error); },
            [state](std::string& error) { return finish(*state, error); },
            [state] { discard_pending_file(state->pending); }};
}

} // namespace zintu
