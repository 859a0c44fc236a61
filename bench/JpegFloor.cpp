// SPDX-License-Identifier: MIT
#include "JpegFloor.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

struct FloorError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void ExitByJump(j_common_ptr info) {
    std::longjmp(reinterpret_cast<FloorError*>(info->err)->jump, 1);
}

} // namespace

bool DecodeJpegAtOneEighth(const QByteArray& data) {
    jpeg_decompress_struct info{};
    FloorError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = ExitByJump;
    error.manager.output_message = [](j_common_ptr) {};
    std::vector<unsigned char> row;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.scale_num = 1;
    info.scale_denom = 8;
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    row.resize(static_cast<size_t>(info.output_width) * info.output_components);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}
