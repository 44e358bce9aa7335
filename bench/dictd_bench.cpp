// SPDX-License-Identifier: GPL-3.0-or-later
// Warm queries against a peer: a dictd server on 127.0.0.1 serving the same FreeDict content,
// asked prefix and substring MATCH questions through one persistent connection, against the
// same lookups in process on our loaded dictionary. The server's port comes from
// ZELVORAN_DICTD_PORT (scripts/bench_report.sh starts one); without it these are skipped.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "bench/bench_data.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace zelvoran::bench {
namespace {

class DictConnection {
 public:
  explicit DictConnection(int port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd_ < 0 || ::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
      Close();
      return;
    }
    const int one = 1;
    ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    ReadStatus();  // the banner
  }
  ~DictConnection() { Close(); }
  bool ok() const { return fd_ >= 0; }

  // Sends a command and reads the answer to its final status line; returns the lines read.
  int Ask(const std::string& command) {
    const std::string line = command + "\r\n";
    if (::send(fd_, line.data(), line.size(), 0) != static_cast<ssize_t>(line.size())) return -1;
    return ReadStatus();
  }

 private:
  // Reads lines until a status that ends the answer (2xx other than 1xx preambles, 5xx).
  int ReadStatus() {
    int lines = 0;
    for (;;) {
      const std::string l = ReadLine();
      if (l.empty() && fd_ < 0) return -1;
      ++lines;
      if (l.size() >= 3 && (l[0] == '2' || l[0] == '4' || l[0] == '5') && l[3] == ' ') {
        return lines;
      }
    }
  }
  std::string ReadLine() {
    for (;;) {
      const size_t nl = buf_.find("\r\n");
      if (nl != std::string::npos) {
        std::string l = buf_.substr(0, nl);
        buf_.erase(0, nl + 2);
        return l;
      }
      char chunk[65536];
      const int one = 1;
      ::setsockopt(fd_, IPPROTO_TCP, TCP_QUICKACK, &one, sizeof one);
      const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
      if (n <= 0) {
        Close();
        return {};
      }
      buf_.append(chunk, static_cast<size_t>(n));
    }
  }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  int fd_ = -1;
  std::string buf_;
};

int DictdPort() {
  const char* p = std::getenv("ZELVORAN_DICTD_PORT");
  return p ? std::atoi(p) : 0;
}

// The number of matches in a MATCH answer of `lines` lines: "152 n matches found", the
// matches, ".", "250 ok"; a single status line ("552 no match") holds none.
int MatchesIn(int lines) {
  return lines >= 3 ? lines - 3 : 0;
}

void Match(benchmark::State& st, const char* strategy, const std::vector<std::string>& words) {
  const int port = DictdPort();
  if (port <= 0) return st.SkipWithError("ZELVORAN_DICTD_PORT not set");
  auto c = std::make_unique<DictConnection>(port);
  if (!c->ok()) return st.SkipWithError("no dictd server");
  std::vector<double> us;
  double matches = 0;
  size_t i = 0;
  for (auto _ : st) {
    const std::string& w = words[i++ % words.size()];
    const char* db = static_cast<unsigned char>(w[0]) >= 0x80 ? "ell-eng" : "eng-ell";
    const std::string q = std::string("MATCH ") + db + " " + strategy + " \"" + w + "\"";
    const auto t0 = std::chrono::steady_clock::now();
    int lines = c->Ask(q);
    if (lines < 0) {
      // The server ends a connection after a number of queries: reconnect, untimed.
      st.PauseTiming();
      c = std::make_unique<DictConnection>(port);
      st.ResumeTiming();
      if (!c->ok() || (lines = c->Ask(q)) < 0) return st.SkipWithError("connection lost");
    }
    const auto t1 = std::chrono::steady_clock::now();
    us.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    matches += MatchesIn(lines);
  }
  if (us.empty()) return;
  std::sort(us.begin(), us.end());
  st.counters["median_us"] = us[us.size() / 2];
  st.counters["matches"] = matches / static_cast<double>(us.size());
}

void BM_DictdPrefixMatch(benchmark::State& st) {
  Match(st, "prefix", PeerPrefixes());  // UTF-8 on the wire
}
void BM_DictdSubstringMatch(benchmark::State& st) {
  Match(st, "substring", PeerInfixes());
}
BENCHMARK(BM_DictdPrefixMatch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DictdSubstringMatch)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zelvoran::bench
