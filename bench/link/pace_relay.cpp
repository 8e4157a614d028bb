// link_pace_relay: an RS-232 line between two ptys, each direction paced at
// the baud rate (10 bits a byte), for timing transfers as on a real cable.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

namespace {

volatile sig_atomic_t g_stop = 0;
void OnSignal(int) {
    g_stop = 1;
}

double Now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

struct End {
    int master = -1;
    int slave = -1;
    std::string link;
};

bool MakeEnd(End& e) {
    char name[256] = {};
    if (openpty(&e.master, &e.slave, name, nullptr, nullptr) != 0) return false;
    termios t{};
    tcgetattr(e.slave, &t);
    cfmakeraw(&t);
    tcsetattr(e.slave, TCSANOW, &t);
    fcntl(e.master, F_SETFL, fcntl(e.master, F_GETFL) | O_NONBLOCK);
    ::unlink(e.link.c_str());
    return ::symlink(name, e.link.c_str()) == 0;
}

struct Direction {
    int from;
    int to;
    std::deque<unsigned char> queue;
    double line_free = 0;  // when the line can start the next byte
    unsigned long long bytes = 0;

    void Pump(double now, double byte_time) {
        if (queue.empty()) return;
        // Bytes whose last bit has arrived by now.
        size_t due = static_cast<size_t>((now - line_free) / byte_time);
        if (due == 0) return;
        unsigned char buf[4096];
        size_t n = std::min({due, queue.size(), sizeof buf});
        for (size_t i = 0; i < n; ++i) buf[i] = queue[i];
        ssize_t w = ::write(to, buf, n);
        if (w <= 0) return;
        queue.erase(queue.begin(), queue.begin() + w);
        line_free += static_cast<double>(w) * byte_time;
        bytes += static_cast<unsigned long long>(w);
    }
};

}  // namespace

int main(int argc, char** argv) {
    long baud = 115200;
    double limit = 600;
    End a, b;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string k = argv[i];
        if (k == "--baud")
            baud = std::atol(argv[i + 1]);
        else if (k == "--link-a")
            a.link = argv[i + 1];
        else if (k == "--link-b")
            b.link = argv[i + 1];
        else if (k == "--time-limit")
            limit = std::atof(argv[i + 1]);
        else {
            std::fprintf(
                stderr,
                "usage: link_pace_relay --link-a PATH --link-b PATH [--baud N] [--time-limit S]\n");
            return 2;
        }
    }
    if (a.link.empty() || b.link.empty() || baud <= 0) {
        std::fprintf(
            stderr,
            "usage: link_pace_relay --link-a PATH --link-b PATH [--baud N] [--time-limit S]\n");
        return 2;
    }
    if (!MakeEnd(a) || !MakeEnd(b)) {
        std::perror("link_pace_relay");
        return 1;
    }
    signal(SIGINT, OnSignal);
    signal(SIGTERM, OnSignal);
    std::printf("A=%s B=%s READY\n", a.link.c_str(), b.link.c_str());
    std::fflush(stdout);
    const double byte_time = 10.0 / static_cast<double>(baud);
    Direction ab, ba;
    ab.from = ba.to = a.master;
    ab.to = ba.from = b.master;
    const double end = Now() + limit;
    while (!g_stop && Now() < end) {
        pollfd fds[2] = {{a.master, POLLIN, 0}, {b.master, POLLIN, 0}};
        // Wake exactly when the next byte on either line is due.
        double now0 = Now();
        double wait = 0.1;
        for (Direction* d : {&ab, &ba}) {
            if (!d->queue.empty())
                wait = std::min(wait, std::max(0.0, d->line_free + byte_time - now0));
        }
        timespec ts{
            static_cast<time_t>(wait),
            static_cast<long>((wait - static_cast<double>(static_cast<time_t>(wait))) * 1e9)};
        int r = ::ppoll(fds, 2, &ts, nullptr);
        if (r < 0 && errno != EINTR) break;
        Direction* dirs[2] = {&ab, &ba};
        for (int i = 0; i < 2; ++i) {
            if (fds[i].revents & POLLIN) {
                unsigned char buf[4096];
                ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
                if (n <= 0) continue;
                // An idle line starts sending the first byte now.
                double now = Now();
                if (dirs[i]->queue.empty() && dirs[i]->line_free < now) dirs[i]->line_free = now;
                dirs[i]->queue.insert(dirs[i]->queue.end(), buf, buf + n);
            }
        }
        double now = Now();
        ab.Pump(now, byte_time);
        ba.Pump(now, byte_time);
    }
    std::fprintf(stderr, "link_pace_relay: %llu bytes A->B, %llu bytes B->A\n", ab.bytes, ba.bytes);
    ::unlink(a.link.c_str());
    ::unlink(b.link.c_str());
    return 0;
}
