#include "shell/update_rules.h"

#include <algorithm>

namespace trovex::shell {
namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string UpdatePagePath(const std::string& folder, const std::string& page) {
  if (folder == " ") return page;
  return Trimmed(folder) + "/" + page;
}

std::string ArchivePath(const std::string& downFolder, const std::string& archiveName) {
  return downFolder + "/" + archiveName;
}

std::optional<std::string> ServerAddress(const std::string& base, const std::string& path) {
  std::string address = base + path;
  if (address.size() > kServerAddressMax) return std::nullopt;
  return address;
}

std::optional<UpdateArchive> FindUpdateArchive(std::string_view page, std::string_view prefix) {
  if (prefix.empty()) return std::nullopt;
  constexpr std::size_t kVersionLength = 4, kExtensionLength = 4;
  std::size_t from = 0;
  while (from < page.size()) {
    const std::size_t at = page.find(prefix, from);
    if (at == std::string_view::npos) return std::nullopt;
    const std::size_t version = at + prefix.size();
    const std::size_t extension = version + kVersionLength;
    if (extension + kExtensionLength <= page.size()) {
      std::string ext(page.substr(extension, kExtensionLength));
      std::transform(ext.begin(), ext.end(), ext.begin(), LowerAscii);
      if (ext == ".zip") {
        return UpdateArchive{std::string(page.substr(at, prefix.size() + 8)),
                             std::string(page.substr(version, kVersionLength))};
      }
    }
    from = version + 1;
  }
  return std::nullopt;
}

bool IsSafeArchiveName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (unsigned char c : name) {
    if (c < 0x20 || c >= 0x7F) return false;
    if (std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) {
      return false;
    }
  }
  return true;
}

bool OffersDownload(std::string_view current, std::string_view pageVersion, bool noVersionCheck) {
  // string_view compares through char_traits<char>, whose order is that of unsigned bytes.
  return noVersionCheck || current.compare(pageVersion) < 0;
}

std::size_t DownloadChunkSize(std::uint64_t reportedAvailable) {
  if (reportedAvailable == 0) return kNetChunkMax;
  return static_cast<std::size_t>(std::min<std::uint64_t>(reportedAvailable, kNetChunkMax));
}

std::uint64_t ProgressMaximum(std::uint64_t contentLength, std::size_t chunkSize) {
  if (chunkSize == 0) chunkSize = kNetChunkMax;
  return contentLength / chunkSize + (contentLength % chunkSize != 0 ? 1 : 0);
}

DownloadEnd JudgeDownload(const DownloadTally& tally) {
  if (tally.status == 200 && !tally.failed && tally.received == tally.announced) {
    return DownloadEnd::Complete;
  }
  return tally.cancelRequested ? DownloadEnd::Cancelled : DownloadEnd::Failed;
}

int LogoJitter(int r, int jumpXY) { return r > jumpXY / 2 ? r - jumpXY : r; }

int LogoSwing(int offset, int r, int stretchMax) {
  if (r > 5 && offset < stretchMax) return offset + 1;
  if (r <= 4 && offset > -stretchMax) return offset - 1;
  return offset;
}

}  // namespace trovex::shell
