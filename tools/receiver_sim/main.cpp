// brondavel-receiver-sim: plays the receiver's side of a transfer on a tty.
#include <fcntl.h>
#include <getopt.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/receiver_sim/receiver_sim.h"

namespace {

// The --link path, for the signal handler: a stopped simulator leaves no
// link to a pty that is gone.
char g_link[4096];

void RemoveLinkAndDie(int signal) {
    if (g_link[0] != '\0') ::unlink(g_link);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void Usage(FILE* out) {
    std::fputs(
        "usage: brondavel-receiver-sim (--port DEV | --pty [--link PATH]) --mode 1|2\n"
        "                              (--accept DIR|FILE | --send FILE) [options]\n"
        "  --port DEV         use this tty (e.g. one end of a socat pair)\n"
        "  --pty              make a pseudo-terminal; its path is printed on stdout\n"
        "  --link PATH        with --pty: a symbolic link to it\n"
        "  --mode 2 --accept DIR   take a batch, store it under its name in DIR\n"
        "  --mode 1 --accept FILE  take blocks into FILE (ends after --idle-ms of silence)\n"
        "  --send FILE        send FILE (mode 2: as a batch; mode 1: as blocks)\n"
        "  --name NAME        mode 2 send: announce NAME, sent as it is\n"
        "  --refuse-first     NAK the first data block every time\n"
        "  --silent           answer nothing\n"
        "  --checksum         mode 1 accept: ask for checksums (NAK) instead of CRC\n"
        "  --flip-out N, --drop-out N   corrupt or lose the Nth byte the sim sends\n"
        "  --flip-in N, --drop-in N     corrupt or lose the Nth byte the sim receives\n"
        "  --hangup-after N   close the line after N bytes in and out\n"
        "  --timeout MS       give up after MS of silence (10000)\n"
        "  --idle-ms MS       mode 1 accept: end of file after MS of silence (1000)\n"
        "  --request-ms MS    accept: repeat the request for a transfer every MS (1000)\n",
        out);
}

long Number(const char* text) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (!end || *end != '\0' || v < 0) {
        std::fprintf(stderr, "brondavel-receiver-sim: not a number: %s\n", text);
        std::exit(2);
    }
    return v;
}

}  // namespace

int main(int argc, char** argv) {
    brondavel::sim::SimOptions o;
    std::string port, link;
    bool make_pty = false, have_role = false;
    enum {
        kPort = 1,
        kPty,
        kLink,
        kMode,
        kAccept,
        kSend,
        kName,
        kRefuse,
        kSilent,
        kChecksum,
        kFlipOut,
        kDropOut,
        kFlipIn,
        kDropIn,
        kHangup,
        kTimeout,
        kIdle,
        kRequest,
        kHelp
    };
    static const option options[] = {{"port", required_argument, nullptr, kPort},
                                     {"pty", no_argument, nullptr, kPty},
                                     {"link", required_argument, nullptr, kLink},
                                     {"mode", required_argument, nullptr, kMode},
                                     {"accept", required_argument, nullptr, kAccept},
                                     {"send", required_argument, nullptr, kSend},
                                     {"name", required_argument, nullptr, kName},
                                     {"refuse-first", no_argument, nullptr, kRefuse},
                                     {"silent", no_argument, nullptr, kSilent},
                                     {"checksum", no_argument, nullptr, kChecksum},
                                     {"flip-out", required_argument, nullptr, kFlipOut},
                                     {"drop-out", required_argument, nullptr, kDropOut},
                                     {"flip-in", required_argument, nullptr, kFlipIn},
                                     {"drop-in", required_argument, nullptr, kDropIn},
                                     {"hangup-after", required_argument, nullptr, kHangup},
                                     {"timeout", required_argument, nullptr, kTimeout},
                                     {"idle-ms", required_argument, nullptr, kIdle},
                                     {"request-ms", required_argument, nullptr, kRequest},
                                     {"help", no_argument, nullptr, kHelp},
                                     {nullptr, 0, nullptr, 0}};
    int c;
    while ((c = getopt_long(argc, argv, "", options, nullptr)) != -1) {
        switch (c) {
            case kPort:
                port = optarg;
                break;
            case kPty:
                make_pty = true;
                break;
            case kLink:
                link = optarg;
                break;
            case kMode:
                o.mode = static_cast<int>(Number(optarg));
                break;
            case kAccept:
                o.path = optarg;
                o.send = false;
                have_role = true;
                break;
            case kSend:
                o.path = optarg;
                o.send = true;
                have_role = true;
                break;
            case kName:
                o.name = optarg;
                break;
            case kRefuse:
                o.refuse_first = true;
                break;
            case kSilent:
                o.silent = true;
                break;
            case kChecksum:
                o.checksum = true;
                break;
            case kFlipOut:
                o.flip_out = Number(optarg);
                break;
            case kDropOut:
                o.drop_out = Number(optarg);
                break;
            case kFlipIn:
                o.flip_in = Number(optarg);
                break;
            case kDropIn:
                o.drop_in = Number(optarg);
                break;
            case kHangup:
                o.hangup_after = Number(optarg);
                break;
            case kTimeout:
                o.timeout_ms = static_cast<int>(Number(optarg));
                break;
            case kIdle:
                o.idle_end_ms = static_cast<int>(Number(optarg));
                break;
            case kRequest:
                o.request_ms = std::max(1, static_cast<int>(Number(optarg)));
                break;
            case kHelp:
                Usage(stdout);
                return 0;
            default:
                Usage(stderr);
                return 2;
        }
    }
    if ((o.mode != 1 && o.mode != 2) || (!have_role && !o.silent) || port.empty() == !make_pty) {
        Usage(stderr);
        return 2;
    }
    int fd = -1;
    int keep_slave = -1;
    if (make_pty) {
        int slave = -1;
        char name[256] = {};
        if (openpty(&fd, &slave, name, nullptr, nullptr) != 0) {
            std::perror("brondavel-receiver-sim: openpty");
            return 1;
        }
        termios t{};
        tcgetattr(slave, &t);
        cfmakeraw(&t);
        tcsetattr(slave, TCSANOW, &t);
        // Holding the slave open keeps the master readable until the PC opens it.
        keep_slave = slave;
        if (!link.empty()) {
            ::unlink(link.c_str());
            if (link.size() >= sizeof g_link) {
                std::fprintf(stderr, "brondavel-receiver-sim: the --link path is too long\n");
                return 1;
            }
            // The handlers come first: a signal right after the link is made
            // must not leave it behind.
            std::memcpy(g_link, link.c_str(), link.size() + 1);
            for (int signal : {SIGTERM, SIGINT, SIGHUP}) std::signal(signal, RemoveLinkAndDie);
            if (::symlink(name, link.c_str()) != 0) {
                g_link[0] = '\0';
                std::perror("brondavel-receiver-sim: symlink");
                return 1;
            }
        }
        std::printf("%s\n", name);
        std::fflush(stdout);
    } else {
        fd = ::open(port.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            std::perror(("brondavel-receiver-sim: " + port).c_str());
            return 1;
        }
        termios t{};
        if (tcgetattr(fd, &t) == 0) {
            cfmakeraw(&t);
            tcsetattr(fd, TCSANOW, &t);
        }
    }
    std::string message;
    int rc = brondavel::sim::RunSim(fd, o, &message);
    std::fprintf(stderr, "brondavel-receiver-sim: %s\n", message.c_str());
    if (rc != 3) {
        // Let the last answer leave before the line goes.
        tcdrain(fd);
        ::usleep(100000);
        ::close(fd);
    }
    if (keep_slave >= 0) ::close(keep_slave);
    if (!link.empty()) ::unlink(link.c_str());
    return rc == 3 ? 1 : rc;
}
