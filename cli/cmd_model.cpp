// format, decode and encode: the register-map reader and writer and the device image codec for
// scripts.

#include "cli/cli_files.h"
#include "cli/commands.h"
#include "core/big_endian.h"
#include "core/user_interface.h"
#include "model/image_codec.h"
#include "model/model_tables.h"
#include "model/zrp_file.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> device_word_choices{"BLF", "RDX", "WNT", "HQP"};

const char* const communication_error = "Communication error, file not extracted.";
const char* const not_present = "ZRP File Not Present or Corrupted";
const char* const parse_error = "Parse error, file not extracted.";

constexpr std::size_t header_size = 32;
constexpr std::size_t info_size = 128;

int format_map(const std::string& path, bool sort, const std::string& out_path) {
    auto map = load_map(path);
    if (!map)
        return exit_failed;
    if (sort)
        map->sort_registers();
    return write_output(map_text(*map), out_path);
}

// Decodes a raw image with the checks an extraction applies to what the card sends.
int decode_image_file(const std::string& path, const std::string& device_word,
                      const std::string& out_path) {
    auto contents = std::make_optional<std::string>();
    const file_read_result read = read_regular_file(path, *contents);
    if (read != file_read_result::ok) {
        ui().detailed_message(msg_open_failed, path + ": " + read_failure_reason(path, read));
        return exit_failed;
    }
    const std::span<const std::uint8_t> image(
        reinterpret_cast<const std::uint8_t*>(contents->data()), contents->size());
    if (image.size() < header_size) {
        ui().message(communication_error);
        return exit_failed;
    }
    const int device = device_words().code(device_word);
    const int total = be16(image.data()) + 1;
    if (total == static_cast<int>(header_size)) {
        ui().message(not_present);
        return exit_failed;
    }
    const int records = be16(image.data() + 30);
    const int size = total - static_cast<int>(header_size);

    // A short information block leaves zeros, as a short answer does; a "WNT" has none.
    image_info_block info{};
    if (device != device_wnt && image.size() > header_size)
        std::copy_n(image.begin() + header_size, std::min(info_size, image.size() - header_size),
                    info.begin());
    const std::string problem = image_size_problem(size, records, image_block_allowance(info));
    if (!problem.empty()) {
        ui().message(problem);
        return exit_failed;
    }
    if (static_cast<long long>(image.size()) <
        static_cast<long long>(header_size + info_size) + size) {
        ui().message(communication_error);
        return exit_failed;
    }

    zrp_file map;
    if (!decode_raw_image(image, device, map)) {
        ui().message(parse_error);
        return exit_failed;
    }
    return write_output(map_text(map), out_path);
}

int encode_map(const std::string& path, const std::string& device_word,
               const std::string& out_path) {
    auto map = load_map(path);
    if (!map)
        return exit_failed;
    const int device =
        device_word.empty() ? map->header->device_code : device_words().code(device_word);
    const std::string misfit = image_misfit(*map, device);
    if (!misfit.empty()) {
        ui().message("The map does not fit a device image: " + misfit);
        return exit_failed;
    }
    const std::vector<std::uint8_t> image = encode_image(*map, device);
    return write_output(std::string_view(reinterpret_cast<const char*>(image.data()), image.size()),
                        out_path);
}

void install_model_commands(CLI::App& app, int& exit_code) {
    auto* format = app.add_subcommand("format", "load a map and write it as Save writes it");
    auto format_file = std::make_shared<std::string>();
    auto format_out = std::make_shared<std::string>();
    auto sort = std::make_shared<bool>(false);
    format->add_option("FILE", *format_file, "the map to load")->required();
    format->add_flag("--sort", *sort, "sort the registers as the register list does");
    format->add_option("-o", *format_out, "write the map here instead of standard output");
    format->callback([=, &exit_code] { exit_code = format_map(*format_file, *sort, *format_out); });

    auto* decode = app.add_subcommand("decode", "decode a raw device configuration image");
    auto image_file = std::make_shared<std::string>();
    auto decode_device = std::make_shared<std::string>();
    auto decode_out = std::make_shared<std::string>();
    decode->add_option("IMAGE", *image_file, "the raw image")->required();
    decode->add_option("--device", *decode_device, "device: BLF, RDX, WNT or HQP")
        ->required()
        ->check(CLI::IsMember(device_word_choices));
    decode->add_option("-o", *decode_out, "write the map here instead of standard output");
    decode->callback([=, &exit_code] {
        exit_code = decode_image_file(*image_file, *decode_device, *decode_out);
    });

    auto* encode = app.add_subcommand("encode", "encode a map as a raw device image");
    auto map_file = std::make_shared<std::string>();
    auto encode_device = std::make_shared<std::string>();
    auto encode_out = std::make_shared<std::string>();
    encode->add_option("FILE", *map_file, "the map to encode")->required();
    encode
        ->add_option("--device", *encode_device,
                     "device: BLF, RDX, WNT or HQP (default: the map's)")
        ->check(CLI::IsMember(device_word_choices));
    encode->add_option("-o", *encode_out, "the image file to write")->required();
    encode->callback(
        [=, &exit_code] { exit_code = encode_map(*map_file, *encode_device, *encode_out); });
}

} // namespace

TESSALY_CLI_COMMANDS(install_model_commands);
