#include "model/zrp_file.h"

#include "core/input_file.h"
#include "core/text_lines.h"
#include "core/user_interface.h"
#include "model/ab_header.h"
#include "model/block_layout.h"
#include "model/devicenet_header.h"
#include "model/ethernetip_header.h"
#include "model/map_line_source.h"
#include "model/mb_siemens_header.h"
#include "model/mbplus_header.h"
#include "model/mbtcp_header.h"
#include "model/model_tables.h"
#include "model/profibus_header.h"
#include "model/profinet_header.h"
#include "model/register_overlap_index.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <iterator>
#include <sstream>

bool network_protocol_flag = false;

void set_network_protocol_flag(int protocol_code) {
    network_protocol_flag =
        !(protocol_code == protocol_modbus || protocol_code == protocol_allen_bradley ||
          protocol_code == protocol_siemens);
}

namespace {

constexpr std::size_t max_line = 255;

// Widths and ends are taken in 64 bits: counts read from a file can be anything.
long long width_of(const host_register& reg) {
    return static_cast<long long>(reg.whole_count) + reg.fraction_count;
}
long long end_of(const host_register& reg) {
    return reg.register_number + width_of(reg);
}

int clamp_to_int(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

// The overlap rule: the same first number, or ranges [n, n + width - 1] sharing a number.
bool registers_conflict(int n1, long long w1, int n2, long long w2) {
    if (n1 == n2)
        return true;
    if (w1 <= 0 || w2 <= 0)
        return false;
    const long long last1 = static_cast<long long>(n1) + w1 - 1;
    const long long last2 = static_cast<long long>(n2) + w2 - 1;
    return n1 <= last2 && n2 <= last1;
}

// The number next_free_register(0) proposes while a load only appends registers, kept up to
// date per appended register instead of walking the whole list for every entry.
class input_proposal {
  public:
    explicit input_proposal(const protocol_header* header) {
        if (header == nullptr)
            return;
        if (header->is_block_mapped()) {
            // The header's own answer for block 0: the end of the last register that ends
            // inside (or before) the block's last number, at least the block's first number.
            block_mapped_ = true;
            block_layout layout;
            const block_table_t* table = nullptr;
            layout.block_count = header->block_table(&table);
            if (table != nullptr)
                layout.table = *table;
            block_first_ = layout.first_register(0);
            block_last_ = static_cast<long long>(block_first_) + layout.table[0].length - 1;
        } else {
            input_base_ = header->input_base();
            output_base_ = header->output_base();
        }
    }

    int next() const {
        if (block_mapped_)
            return has_block_end_ ? clamp_to_int(std::max<long long>(block_end_, block_first_))
                                  : block_first_;
        if (count_ == 0)
            return input_base_;
        return clamp_to_int(stop_found_ ? stop_result_ : last_end_);
    }

    void appended(const host_register& reg) {
        const long long end = end_of(reg);
        if (block_mapped_) {
            if (end <= block_last_) {
                block_end_ = end;
                has_block_end_ = true;
            }
            return;
        }
        // The walk of next_free_register stops at the first register reaching the output
        // area; registers appended later never change where it stops.
        if (!stop_found_ && input_base_ < output_base_ && end - 1 >= output_base_) {
            stop_found_ = true;
            stop_result_ = count_ == 0 ? input_base_ : last_end_;
        }
        last_end_ = end;
        ++count_;
    }

  private:
    bool block_mapped_ = false;
    int block_first_ = 0;
    long long block_last_ = -1;
    long long block_end_ = 0;
    bool has_block_end_ = false;

    int input_base_ = 0;
    int output_base_ = 0;
    std::size_t count_ = 0;
    long long last_end_ = 0;
    bool stop_found_ = false;
    long long stop_result_ = 0;
};

// The network protocols an image names in its information block, tried in this order.
struct image_keyword {
    const char* keyword;
    int protocol_code;
};
constexpr image_keyword image_keywords[] = {
    {"DEVICENET", protocol_devicenet}, {"PROFIBUS", protocol_profibus},
    {"MBTCP", protocol_modbus_tcp},    {"MBPLUS", protocol_modbus_plus},
    {"ETHIP", protocol_ethernetip},    {"PROFINET_IO", protocol_profinet},
};

int protocol_from_info(const image_info_block& info, int fallback) {
    for (const image_keyword& k : image_keywords)
        if (std::memcmp(info.data(), k.keyword, std::strlen(k.keyword) + 1) == 0)
            return k.protocol_code;
    return fallback;
}

// Why the header of the text from start could not be read: bytes that are not text, or the
// line it stopped short of.
std::string header_failure(std::istream& in, std::istream::pos_type start) {
    in.clear();
    in.seekg(start);
    bool has_nodenum = false;
    std::string line;
    while (read_line(in, line, max_line) != line_status::end) {
        if (std::any_of(line.begin(), line.end(),
                        [](char c) { return is_non_text_byte(static_cast<unsigned char>(c)); }))
            return "not text";
        std::string first;
        if (field_scanner(line).word(first) && first == "NODENUM")
            has_nodenum = true;
    }
    return has_nodenum ? "no HREG line" : "no NODENUM line";
}

bool is_device_word(const std::string& word) {
    return word.size() == 3 && device_words().word(device_words().code(word)) == word;
}

} // namespace

zrp_file::zrp_file(int protocol_code) {
    create_header(protocol_code, device_rdx);
}

zrp_file::~zrp_file() = default;

void zrp_file::create_header(int code, int device_code) {
    protocol_code = code;
    switch (code) {
    case protocol_modbus:
    case protocol_siemens:
        header = std::make_unique<mb_siemens_header>(this, device_code, code == protocol_siemens);
        break;
    case protocol_allen_bradley:
        header = std::make_unique<ab_header>(this, device_code);
        break;
    case protocol_profibus:
        header = std::make_unique<profibus_header>(this, device_code);
        break;
    case protocol_modbus_tcp:
        header = std::make_unique<mbtcp_header>(this, device_code);
        break;
    case protocol_modbus_plus:
        header = std::make_unique<mbplus_header>(this, device_code);
        break;
    case protocol_devicenet:
        header = std::make_unique<devicenet_header>(this, device_code);
        break;
    case protocol_ethernetip:
        header = std::make_unique<ethernetip_header>(this, device_code);
        break;
    case protocol_profinet:
        header = std::make_unique<profinet_header>(this, device_code);
        break;
    default:
        // Every code without a class of its own (the generic protocol, 4 to 8, anything
        // else) gets the generic header.
        header = std::make_unique<protocol_header>(this, "Generic protocol", device_code, 1, 8, 0,
                                                   0, 0, 65535, 0, 0);
        break;
    }
}

void zrp_file::clear() {
    header.reset();
    registers.clear();
}

void zrp_file::write(std::ostream& out) {
    if (!header)
        return;
    header->write(out);
    out << "HREG\n";
    for (auto& reg : registers)
        reg->write(out);
}

bool zrp_file::read(std::istream& in) {
    map_read_report ignored;
    return read(in, ignored);
}

bool zrp_file::read(std::istream& in, map_read_report& report) {
    report = {};
    const std::istream::pos_type start = in.tellg();
    if (start == std::istream::pos_type(-1)) {
        // The first line is looked at twice; a stream that cannot go back is read whole, up
        // to the input bound (endless input fails the load).
        std::string copy;
        if (!read_bounded(in, copy)) {
            report.failure = "larger than 256 MiB, or unreadable";
            return false;
        }
        std::istringstream again(std::move(copy));
        return read(again, report);
    }

    // Up to three characters of the first line, blanks skipped, decide whether it is a
    // device line.
    std::string peek;
    while (peek.size() < 3) {
        const auto c = in.get();
        if (c == std::istream::traits_type::eof() || c == '\n')
            break;
        if (c == ' ' || c == '\t')
            continue;
        peek.push_back(static_cast<char>(c));
    }
    in.clear();
    in.seekg(start);

    std::string device_word = peek;
    std::string protocol_word;
    if (is_device_word(peek)) {
        std::string line;
        read_line(in, line, max_line);
        field_scanner fields(line);
        fields.word(device_word);
        fields.word(protocol_word);
    }

    clear();
    const int code = protocol_words().code(protocol_word);
    set_network_protocol_flag(code);
    create_header(code, device_words().code(device_word));
    if (!header->read(in)) {
        report.failure = header_failure(in, start);
        return false;
    }

    // The header's lines go through the line source once more, to number them and note
    // those that hold what no text does; the registers are read through it from there on.
    in.clear();
    const std::istream::pos_type header_end = in.tellg();
    in.seekg(start);
    map_line_source lines(in, &report.unread_lines);
    std::string line;
    while (in.tellg() < header_end && lines.next(line)) {
    }
    report.header_lines = lines.line_number();
    in.clear();
    in.seekg(header_end);

    input_proposal proposal(header.get());
    register_overlap_index accepted;
    for (;;) {
        auto reg = std::make_unique<host_register>(this, 0);
        reg->register_number = proposal.next();
        if (!reg->read(lines))
            break;
        if (accepted.conflicts(*reg)) {
            ui().message(conflicting_register_message(*reg));
            continue;
        }
        accepted.insert(*reg);
        proposal.appended(*reg);
        registers.push_back(std::move(reg));
    }
    return true;
}

bool zrp_file::decode_image(const image_header& image, byte_reader& records,
                            const image_info_block& info, int device_code) {
    clear();
    const int image_code = static_cast<std::int32_t>(be32(image.data() + 2));
    create_header(protocol_from_info(info, image_code), device_code);
    const std::size_t record_start = records.position();
    if (!header->decode_image(image, records, info, device_code))
        return false;
    records.seek(record_start);

    register_overlap_index accepted;
    const int record_count = be16(image.data() + 30);
    // Records follow each other without gaps, so a record that does not fit in what is left
    // of the area ends it: nothing after it can be a record, and no register is built for
    // the count the header claims beyond that point.
    for (int i = 0; i < record_count && records.remaining() >= host_register::min_record_size;
         ++i) {
        auto reg = std::make_unique<host_register>(this, 0);
        if (!reg->decode_image(image, records, info, device_code))
            break;
        if (accepted.conflicts(*reg))
            continue;
        accepted.insert(*reg);
        registers.push_back(std::move(reg));
    }
    return true;
}

int zrp_file::edit(int /*mode_flags*/) {
    host_selection_values values;
    values.protocol_position = position_for_protocol_code(protocol_code);
    values.device_word =
        std::string(selection_word_for_device_code(header ? header->device_code : -1));
    int result = dialogs().run_host_selection(values);
    if (result != 1)
        return result;

    const int code = protocol_code_for_position(values.protocol_position);
    const int device = device_code_for_selection_word(values.device_word);
    if (!header || device != header->device_code || code != protocol_code) {
        header.reset();
        create_header(code, device);
        result = header->edit();
    }
    set_network_protocol_flag(code);
    return result;
}

int zrp_file::add_register(std::unique_ptr<host_register>&& reg) {
    if (!reg || std::any_of(registers.begin(), registers.end(), [&](const auto& other) {
            return registers_conflict(reg->register_number, width_of(*reg), other->register_number,
                                      width_of(*other));
        }))
        return -1;
    reg->owner = this;
    registers.push_back(std::move(reg));
    return register_count() - 1;
}

int zrp_file::delete_register(int index) {
    if (index < 0 || index >= register_count())
        return 0;
    registers.erase(registers.begin() + index);
    return 1;
}

void zrp_file::delete_registers(std::vector<int> indices) {
    std::vector<bool> doomed(registers.size(), false);
    for (int i : indices)
        if (i >= 0 && i < register_count())
            doomed[static_cast<std::size_t>(i)] = true;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < registers.size(); ++i)
        if (!doomed[i])
            registers[kept++] = std::move(registers[i]);
    registers.resize(kept);
}

bool zrp_file::sort_registers() {
    auto by_number = [](const std::unique_ptr<host_register>& a,
                        const std::unique_ptr<host_register>& b) {
        return a->register_number < b->register_number;
    };
    // A stable sort moves nothing exactly when the list is already in order.
    if (std::is_sorted(registers.begin(), registers.end(), by_number))
        return false;
    std::stable_sort(registers.begin(), registers.end(), by_number);
    return true;
}

int zrp_file::next_free_register(int area) const {
    if (header && header->is_block_mapped())
        return header->next_block_register(area);
    const int input_base = header ? header->input_base() : 0;
    const int output_base = header ? header->output_base() : 0;

    if (area == 1) {
        if (registers.empty())
            return output_base;
        const long long end = end_of(*registers.back());
        return output_base < end ? clamp_to_int(end) : output_base;
    }
    if (registers.empty())
        return input_base;
    if (input_base < output_base) {
        for (std::size_t i = 0; i < registers.size(); ++i) {
            if (end_of(*registers[i]) - 1 >= output_base)
                return i == 0 ? input_base : clamp_to_int(end_of(*registers[i - 1]));
        }
    }
    return clamp_to_int(end_of(*registers.back()));
}

bool zrp_file::overlaps(int number, int width, const host_register* except) const {
    return first_overlap(number, width, except) != nullptr;
}

const host_register* zrp_file::first_overlap(int number, int width,
                                             const host_register* except) const {
    const auto it = std::find_if(registers.begin(), registers.end(), [&](const auto& reg) {
        return reg.get() != except &&
               registers_conflict(number, width, reg->register_number, width_of(*reg));
    });
    return it == registers.end() ? nullptr : it->get();
}

host_register* zrp_file::register_at(int index) const {
    if (index < 0 || index >= register_count())
        return nullptr;
    return registers[static_cast<std::size_t>(index)].get();
}
