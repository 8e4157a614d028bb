// The receiver's side of both transfer framings, played over a tty, so that
// every path of the link can be shown without a receiver.
#pragma once

#include <string>

namespace brondavel::sim {

struct SimOptions {
    int mode = 2;               // 1 plain blocks, 2 batch
    bool send = false;          // false: accept what the PC sends; true: send path
    std::string path;           // mode-2 accept: folder; otherwise the file
    std::string name;           // mode-2 send: announced name (default: the file's name)
    bool refuse_first = false;  // NAK the first data block for ever
    bool silent = false;        // read everything, answer nothing
    bool checksum = false;      // mode-1 accept: ask for the checksum instead of the CRC
    long flip_out = -1;         // XOR 0xFF into the sim's Nth output byte (0-based)
    long drop_out = -1;         // lose the sim's Nth output byte
    long flip_in = -1;          // XOR 0xFF into the Nth byte the sim receives
    long drop_in = -1;          // lose the Nth byte the sim receives
    long hangup_after = -1;     // close the line after this many bytes in and out
    int timeout_ms = 10000;     // the peer says nothing this long: give up
    int idle_end_ms = 1000;     // mode-1 accept: the file ends after this much silence
    int request_ms = 1000;      // pause between two requests for a transfer
};

// Plays one transfer on fd. Returns 0 on success, 1 on failure, 3 after a
// hang-up of its own; message tells what happened.
int RunSim(int fd, const SimOptions& options, std::string* message);

}  // namespace brondavel::sim
