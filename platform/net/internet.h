#pragma once
// Reading an address over the network with WinINet (http:// and https://; WinINet
// does the TLS): a session named by its agent, one request read in chunks.
// Every request reloads from the server and bypasses the cache; connects, sends
// and receives time out instead of hanging.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace trovex::net {

// Whether the system lets the program try a connection (InternetAttemptConnect).
bool AttemptConnect();

enum class ProxyMode {
  Preconfigured,             // the system's proxy settings
  PreconfiguredNoAutoProxy,  // the same, without proxy auto-discovery
};

// Milliseconds a connect, a send or a receive may take.
inline constexpr unsigned long kNetTimeoutMs = 20000;

class InternetSession {
 public:
  InternetSession() = default;
  ~InternetSession();
  InternetSession(const InternetSession&) = delete;
  InternetSession& operator=(const InternetSession&) = delete;
  // False when WinINet gives no session.
  bool Open(const std::string& agent, ProxyMode proxy);
  void* Handle() const { return handle_; }

 private:
  void* handle_ = nullptr;
};

class UrlRequest {
 public:
  UrlRequest() = default;
  ~UrlRequest();
  UrlRequest(const UrlRequest&) = delete;
  UrlRequest& operator=(const UrlRequest&) = delete;
  // Opens `address` (CP932) in `session`; false when it cannot be opened.
  bool Open(InternetSession& session, const std::string& address);
  void Close();
  // The HTTP status code, or 0 when there is none.
  int StatusCode() const;
  // The announced Content-Length; nullopt when the answer has none.
  std::optional<std::uint64_t> ContentLength() const;
  // The bytes that can be read now without waiting (InternetQueryDataAvailable);
  // 0 when unknown.
  std::uint64_t Available() const;
  // Reads up to `size` bytes into `buffer`; nullopt on a read error, 0 at the end.
  std::optional<std::size_t> Read(char* buffer, std::size_t size);

 private:
  void* handle_ = nullptr;
};

}  // namespace trovex::net
