// Decodes arbitrary bytes as a raw device image (the first byte picks the device), writes the
// decoded map, and encodes and decodes it once more. No input may crash, hang or read outside
// the image.

#include "model/image_codec.h"
#include "model/zrp_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const int device = data[0] % 4;
    zrp_file map;
    if (!decode_raw_image(std::span<const std::uint8_t>(data + 1, size - 1), device, map))
        return 0;
    std::ostringstream text;
    map.write(text);

    // A decoded map fits the image it came from, so it encodes and decodes again.
    const std::vector<std::uint8_t> image = encode_image(map, device);
    zrp_file again;
    if (!decode_raw_image(image, device, again))
        std::abort();
    return 0;
}
