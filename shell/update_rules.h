#pragma once
// The rules of the version window's update check that need no network: the update
// page's path, finding the release archive in the page, which archive names may be
// saved, the version comparison, the download's chunk and progress arithmetic, how
// a download ended, and the logo animation's steps.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trovex::shell {

// The page asked for when no page name is given.
inline constexpr const char* kDefaultUpdatePage = "UpdateFilePage.html";
// Network reads are at most this many bytes; also the chunk when the server
// reports none available.
inline constexpr std::size_t kNetChunkMax = 1024;
// The update page is read up to this many bytes; the rest is ignored.
inline constexpr std::size_t kUpdatePageLimit = 1024 * 1024;
// Longest server address the check opens.
inline constexpr std::size_t kServerAddressMax = 255;

// The update page's path below the server's base address: the folder trimmed and
// a "/", except for a folder of exactly one blank, which gives the page alone.
std::string UpdatePagePath(const std::string& folder, const std::string& page);
// An archive's path below the base address.
std::string ArchivePath(const std::string& downFolder, const std::string& archiveName);
// The base address followed by a path, or nullopt when longer than kServerAddressMax.
std::optional<std::string> ServerAddress(const std::string& base, const std::string& path);

struct UpdateArchive {
  std::string name;     // prefix, 4 version characters and the extension as on the page
  std::string version;  // the 4 version characters
};

// The first occurrence of `prefix` in the page that is followed by 4 characters and
// ".zip" (any case); an occurrence that is not moves the search past it and the
// character after it. nullopt when there is none (or the prefix is empty).
std::optional<UpdateArchive> FindUpdateArchive(std::string_view page, std::string_view prefix);

// Whether an archive name found on the page may become a file name: no path
// separators, drive colons, wildcards, quotes, angle brackets, bars, control
// characters or bytes outside ASCII (a double-byte character could hide a "\").
bool IsSafeArchiveName(std::string_view name);

// The download is offered when the program's version is smaller than the page's in
// a byte-wise comparison, or always when the version check is switched off.
bool OffersDownload(std::string_view current, std::string_view pageVersion, bool noVersionCheck);

// The bytes read at a time: what the server reports available, at most
// kNetChunkMax; kNetChunkMax when it reports none.
std::size_t DownloadChunkSize(std::uint64_t reportedAvailable);
// The progress bar's maximum: the content length in chunks, rounded up.
std::uint64_t ProgressMaximum(std::uint64_t contentLength, std::size_t chunkSize);

// What happened to one download.
struct DownloadTally {
  int status = 0;                // the HTTP status code
  std::uint64_t announced = 0;   // the content length the server announced
  std::uint64_t received = 0;    // the bytes read and written
  bool failed = false;           // a read or a write failed
  bool cancelRequested = false;  // the user clicked 中止 before the loop ended
};
enum class DownloadEnd { Complete, Cancelled, Failed };
// Complete only with status 200, no failure and exactly the announced bytes, even
// if a cancel arrived after the last byte; otherwise cancelled when the user asked,
// else failed.
DownloadEnd JudgeDownload(const DownloadTally& tally);

// The logo's displacement on a jitter tick from a draw `r` in 0 .. jumpXY - 1:
// values above jumpXY / 2 become negative by subtracting jumpXY.
int LogoJitter(int r, int jumpXY);
// The logo's size offset after a swing tick with a draw `r` in 0 .. 9: grows on
// r > 5 up to stretchMax, shrinks on r <= 4 down to -stretchMax.
int LogoSwing(int offset, int r, int stretchMax);

}  // namespace trovex::shell
