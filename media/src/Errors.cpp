#include "FFmpeg.h"

namespace rw::media {

std::string avError(int code) {
    char buf[AV_ERROR_MAX_STRING_SIZE] = {};
    if (av_strerror(code, buf, sizeof buf) < 0) return "FFmpeg error " + std::to_string(code);
    return buf;
}

}  // namespace rw::media
