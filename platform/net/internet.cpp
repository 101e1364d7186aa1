#include "platform/net/internet.h"

#include <windows.h>
#include <wininet.h>

#include <string>

#include "platform/os/wide_text.h"

namespace trovex::net {

bool AttemptConnect() { return InternetAttemptConnect(0) == ERROR_SUCCESS; }

InternetSession::~InternetSession() {
  if (handle_) InternetCloseHandle(handle_);
}

bool InternetSession::Open(const std::string& agent, ProxyMode proxy) {
  const DWORD access = proxy == ProxyMode::Preconfigured
                           ? INTERNET_OPEN_TYPE_PRECONFIG
                           : INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY;
  handle_ = InternetOpenW(os::Widen(agent).c_str(), access, nullptr, nullptr, 0);
  if (!handle_) return false;
  DWORD timeout = kNetTimeoutMs;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    InternetSetOptionW(handle_, option, &timeout, sizeof timeout);
  }
  return true;
}

UrlRequest::~UrlRequest() { Close(); }

bool UrlRequest::Open(InternetSession& session, const std::string& address) {
  Close();
  if (!session.Handle()) return false;
  const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                      INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI;
  handle_ = InternetOpenUrlW(session.Handle(), os::Widen(address).c_str(), nullptr, 0, flags, 0);
  return handle_ != nullptr;
}

void UrlRequest::Close() {
  if (handle_) InternetCloseHandle(handle_);
  handle_ = nullptr;
}

int UrlRequest::StatusCode() const {
  DWORD status = 0, size = sizeof status;
  if (!handle_ || !HttpQueryInfoW(handle_, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                                  &size, nullptr)) {
    return 0;
  }
  return static_cast<int>(status);
}

std::optional<std::uint64_t> UrlRequest::ContentLength() const {
  // As text: the number form is 32 bits wide.
  wchar_t text[32] = {};
  DWORD size = sizeof text;
  if (!handle_ || !HttpQueryInfoW(handle_, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) {
    return std::nullopt;
  }
  std::uint64_t length = 0;
  bool digits = false;
  for (const wchar_t* p = text; *p; ++p) {
    if (*p == L' ') continue;
    if (*p < L'0' || *p > L'9' || length > (UINT64_MAX - 9) / 10) return std::nullopt;
    length = length * 10 + static_cast<std::uint64_t>(*p - L'0');
    digits = true;
  }
  if (!digits) return std::nullopt;
  return length;
}

std::uint64_t UrlRequest::Available() const {
  DWORD available = 0;
  if (!handle_ || !InternetQueryDataAvailable(handle_, &available, 0, 0)) return 0;
  return available;
}

std::optional<std::size_t> UrlRequest::Read(char* buffer, std::size_t size) {
  DWORD read = 0;
  if (!handle_ || !InternetReadFile(handle_, buffer, static_cast<DWORD>(size), &read)) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(read);
}

}  // namespace trovex::net
