#pragma once
// read and write on the Qt event loop: the rounds of a read (once, or every few seconds until
// SIGINT or SIGTERM) printed as tab-separated lines or as a CSV table, and a single write.

#include "live/host_link.h"
#include "live/live_poller.h"

#include <cstdint>
#include <string>
#include <vector>

struct read_output {
    bool csv = false;
    double watch_seconds = 0; // 0: read once
};

// Reads every register of the poller's map once, or every watch_seconds until interrupted,
// printing each round to standard output. Returns the exit status: 0 all read, 1 some
// register could not be read, 2 the connection could not be made (the status of the last
// complete round when watching).
int run_reads(live_poller& poller, const read_output& output);

// Writes words to reg; returns 0 written, 1 answered with an exception, 2 no connection.
int run_write(host_link& link, const live_register& reg, std::vector<std::uint16_t> words);
