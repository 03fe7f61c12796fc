#pragma once
// The rules of the 22-block table that the block definitions editor enforces: whether a
// block may take a base and length, and how much of each memory area the table uses.

#include "model/block_layout.h"

// Registers of one direction's address space, and the end limits of its two areas.
constexpr int block_space_registers = 768;
constexpr int io_area_end = 256;
constexpr int param_area_end = 768;

// The four memory counters of a table, in registers.
struct block_usage {
    int io_input = 0;
    int io_output = 0;
    int param_input = 0;
    int param_output = 0;
};

// Why a block cannot take a base and length: a position outside the table or a negative value,
// an end past its area's end, or a register shared with another non-empty block of the same
// direction (other_position names the first such block).
struct block_fit_problem {
    enum kind_t { none, bad_values, past_area_end, shares_registers } kind = none;
    int other_position = -1;
};

// The fit rule for block position taking base and length: it stays inside its area and shares
// no register with another non-empty block of the same direction (areas do not matter). A
// length of 0 always fits.
block_fit_problem block_fit(const block_table_t& table, int position, int base, int length);
// True when the block fits (block_fit finds no problem).
bool block_fits(const block_table_t& table, int position, int base, int length);
// True for the I/O positions (0 to 4 and 11 to 15); the others are Param blocks.
bool is_io_block_position(int position);

// The counters: I/O areas count from register 0 to the end of the highest-based block (the
// later position wins equal bases), Param areas the span from the lowest base to the end of
// the highest-based block.
block_usage compute_block_usage(const block_table_t& table);

// The table a header without blocks starts from: every block empty except the I/O input and
// I/O output blocks 0 and 11, each 256 registers from 0; areas and directions by position.
block_table_t default_block_table();
