#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for tests of the network code: it runs on a
// thread of the test, answers each path with a scripted response (404 for any
// other), closes every connection after its answer and records what it was asked.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace trovex::testing {

class LocalHttpServer {
 public:
  struct Response {
    int status = 200;
    std::string body;
    // The Content-Length sent; nullopt sends the body chunked, without a length.
    std::optional<std::uint64_t> contentLength;
    // When set, the connection is closed after this many body bytes.
    std::optional<std::size_t> cutAfter;
    // The body goes out in pieces of dripBytes with dripMs between them; after
    // each piece onPiece is called with the bytes sent so far (on the server's thread).
    std::size_t dripBytes = 0;
    int dripMs = 0;
    std::function<void(std::size_t sent)> onPiece;
  };
  struct Request {
    std::string path;
    std::string agent;
  };

  LocalHttpServer();
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  // "http://127.0.0.1:<port>/"
  std::string BaseAddress() const;
  // A body served with its length and status 200.
  void Serve(const std::string& path, const std::string& body);
  void Serve(const std::string& path, Response response);
  std::vector<Request> Requests() const;

 private:
  void Run();
  void Answer(std::uintptr_t client);

  std::uintptr_t listener_;
  int port_ = 0;
  bool stop_ = false;
  mutable std::mutex mutex_;
  std::map<std::string, Response> responses_;
  std::vector<Request> requests_;
  std::thread thread_;
};

}  // namespace trovex::testing
