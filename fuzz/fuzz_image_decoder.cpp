// Decodes arbitrary bytes as a raw device image (the first byte picks the device), checks that
// the decoded map saves and reloads to the same text, and encodes and decodes it once more. No
// input may crash, hang or read outside the image.

#include "core/silent_ui.h"
#include "core/user_interface.h"
#include "format/image_codec.h"
#include "fuzz/map_round_trip.h"
#include "model/zrp_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int device = data[0] % 4;
    zrp_file map;
    if (!decode_raw_image(std::span<const std::uint8_t>(data + 1, size - 1), device, map))
        return 0;
    check_save_is_a_fixed_point(map);

    // A decoded map fits the image it came from, so it encodes and decodes again.
    const std::vector<std::uint8_t> image = encode_image(map, device);
    zrp_file again;
    if (!decode_raw_image(image, device, again))
        std::abort();
    return 0;
}
