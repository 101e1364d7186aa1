#include "support/local_http_server.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <stdexcept>

namespace trovex::testing {
namespace {

bool SendAll(SOCKET s, const char* data, std::size_t size) {
  while (size > 0) {
    const int sent = send(s, data, static_cast<int>(size), 0);
    if (sent <= 0) return false;
    data += sent;
    size -= static_cast<std::size_t>(sent);
  }
  return true;
}

bool SendAll(SOCKET s, const std::string& text) { return SendAll(s, text.data(), text.size()); }

std::string HeaderValue(const std::string& head, const std::string& name) {
  std::size_t at = 0;
  while ((at = head.find("\r\n", at)) != std::string::npos) {
    at += 2;
    if (head.size() - at > name.size() &&
        _strnicmp(head.c_str() + at, name.c_str(), name.size()) == 0 &&
        head[at + name.size()] == ':') {
      std::size_t from = at + name.size() + 1;
      while (from < head.size() && head[from] == ' ') ++from;
      return head.substr(from, head.find("\r\n", from) - from);
    }
  }
  return {};
}

}  // namespace

LocalHttpServer::LocalHttpServer() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup");
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  int size = sizeof address;
  if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(s, 8) != 0 || getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    throw std::runtime_error("cannot listen on 127.0.0.1");
  }
  listener_ = s;
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Run(); });
}

LocalHttpServer::~LocalHttpServer() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  thread_.join();
  closesocket(static_cast<SOCKET>(listener_));
  WSACleanup();
}

std::string LocalHttpServer::BaseAddress() const {
  return "http://127.0.0.1:" + std::to_string(port_) + "/";
}

void LocalHttpServer::Serve(const std::string& path, const std::string& body) {
  Response response;
  response.body = body;
  response.contentLength = body.size();
  Serve(path, std::move(response));
}

void LocalHttpServer::Serve(const std::string& path, Response response) {
  std::lock_guard lock(mutex_);
  responses_[path] = std::move(response);
}

std::vector<LocalHttpServer::Request> LocalHttpServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void LocalHttpServer::Run() {
  const SOCKET listener = static_cast<SOCKET>(listener_);
  for (;;) {
    {
      std::lock_guard lock(mutex_);
      if (stop_) return;
    }
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(listener, &ready);
    timeval wait{0, 50000};
    if (select(0, &ready, nullptr, nullptr, &wait) <= 0) continue;
    const SOCKET client = accept(listener, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    Answer(client);
    shutdown(client, SD_BOTH);
    closesocket(client);
  }
}

void LocalHttpServer::Answer(std::uintptr_t socketValue) {
  const SOCKET client = static_cast<SOCKET>(socketValue);
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos) {
    const int got = recv(client, buffer, sizeof buffer, 0);
    if (got <= 0) return;
    head.append(buffer, got);
  }
  const std::size_t pathStart = head.find(' ') + 1;
  Request request{head.substr(pathStart, head.find(' ', pathStart) - pathStart),
                  HeaderValue(head, "User-Agent")};
  Response response;
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    auto found = responses_.find(request.path);
    if (found != responses_.end()) {
      response = found->second;
    } else {
      response.status = 404;
      response.body = "not found";
      response.contentLength = response.body.size();
    }
  }

  std::string header = "HTTP/1.1 " + std::to_string(response.status) +
                       (response.status == 200 ? " OK" : " Error") +
                       "\r\nConnection: close\r\nContent-Type: application/octet-stream\r\n";
  header += response.contentLength
                ? "Content-Length: " + std::to_string(*response.contentLength) + "\r\n"
                : std::string("Transfer-Encoding: chunked\r\n");
  header += "\r\n";
  if (!SendAll(client, header)) return;

  const std::string& body = response.body;
  const std::size_t end = std::min(body.size(), response.cutAfter.value_or(body.size()));
  const std::size_t piece = response.dripBytes ? response.dripBytes : end;
  for (std::size_t at = 0; at < end;) {
    const std::size_t size = std::min(piece, end - at);
    bool sent;
    if (response.contentLength) {
      sent = SendAll(client, body.data() + at, size);
    } else {
      char length[32];
      snprintf(length, sizeof length, "%zx\r\n", size);
      sent = SendAll(client, length) && SendAll(client, body.data() + at, size) &&
             SendAll(client, "\r\n");
    }
    if (!sent) return;
    at += size;
    if (response.onPiece) response.onPiece(at);
    if (response.dripMs) {
      Sleep(response.dripMs);
      std::lock_guard lock(mutex_);
      if (stop_) return;
    }
  }
  if (!response.contentLength && !response.cutAfter) SendAll(client, "0\r\n\r\n");
}

}  // namespace trovex::testing
