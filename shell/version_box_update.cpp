// The version window's update check: the page read, the archive found on it, the
// question, the folder choice and the download with its progress and cancel.
#include <cstdint>
#include <vector>

#include "platform/net/download_file.h"
#include "platform/net/internet.h"
#include "platform/ui/application.h"
#include "shell/update_rules.h"
#include "shell/version_box.h"

namespace trovex::shell {

using shell::ArchivePath;
using shell::DownloadChunkSize;
using shell::DownloadEnd;
using shell::DownloadTally;
using shell::FindUpdateArchive;
using shell::IsSafeArchiveName;
using shell::JudgeDownload;
using shell::kUpdatePageLimit;
using shell::OffersDownload;
using shell::ProgressMaximum;
using shell::ServerAddress;
using shell::UpdatePagePath;
namespace {

constexpr const char* kNoConnection = "インターネットに接続できません。";

// Clears a flag however the scope ends.
struct FlagScope {
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  bool& flag_;
};

}  // namespace

void TVersionBox::UpdateChkBtnClick(ui::Component&) {
  if (downloading_) {
    cancel_ = true;
    return;
  }
  if (checking_) return;
  FlagScope checking(checking_);
  CheckForUpdate();
}

void TVersionBox::CheckForUpdate() {
  if (!net::AttemptConnect()) {
    ui::App().Prompts().ShowMessage(kNoConnection);
    return;
  }
  const auto address =
      ServerAddress(update_.serverBase, UpdatePagePath(update_.pageFolder, update_.pageName));
  net::InternetSession session;
  if (!session.Open(kAgentPage, net::ProxyMode::Preconfigured)) return;
  net::UrlRequest request;
  if (!address || !request.Open(session, *address)) {
    ui::App().Prompts().ShowMessage(kNoConnection);
    return;
  }

  // The page, read in chunks up to its end or kUpdatePageLimit bytes.
  std::string page;
  const std::size_t chunk = DownloadChunkSize(request.Available());
  std::vector<char> buffer(chunk);
  while (page.size() < kUpdatePageLimit) {
    const auto read = request.Read(buffer.data(), std::min(chunk, kUpdatePageLimit - page.size()));
    if (!read || *read == 0) break;
    page.append(buffer.data(), *read);
  }
  request.Close();

  const auto archive = FindUpdateArchive(page, update_.archivePrefix);
  if (!archive) {
    ui::App().Prompts().ShowMessage("アップデートファイルが有りません！");
    return;
  }
  archiveName_ = archive->name;
  if (!OffersDownload(update_.currentVersion, archive->version, update_.noVersionCheck)) {
    ui::App().Prompts().ShowMessage("お使いのソフトは最新のバージョンです。");
    return;
  }
  Download();
}

void TVersionBox::Download() {
  auto& prompts = ui::App().Prompts();
  if (prompts.MessageBox("最新のアップデートファイルが見つかりました。\n'" + archiveName_ +
                             "' をダウンロードしますか？",
                         "Update", MB_YESNO) != IDYES) {
    return;
  }
  // The name's version and extension come from the server: it must stay a plain
  // file name in the chosen folder.
  if (!IsSafeArchiveName(archiveName_)) {
    prompts.ShowMessage("down load error");
    return;
  }
  std::string folder = prompts.BrowseForFolder("保存先を選択して下さい", "");
  if (folder.empty()) return;
  if (folder.back() != '\\') folder += '\\';

  const auto address =
      ServerAddress(update_.serverBase, ArchivePath(update_.downFolder, archiveName_));
  net::InternetSession session;
  if (!address || !session.Open(kAgentArchive, net::ProxyMode::PreconfiguredNoAutoProxy)) return;
  net::UrlRequest request;
  if (!request.Open(session, *address)) return;
  DownloadTally tally;
  tally.status = request.StatusCode();
  const auto length = request.ContentLength();
  if (!length) return;
  tally.announced = *length;
  net::DownloadFile file;
  if (tally.status != 200 || !file.Create(folder)) {
    prompts.ShowMessage("down load error");
    return;
  }

  const std::size_t chunk = DownloadChunkSize(request.Available());
  std::vector<char> buffer(chunk + 1, 0);
  ColorProgressBar1.SetMax(ProgressMaximum(tally.announced, chunk));
  ColorProgressBar1.SetPosition(0);
  ColorProgressBar1.Show();
  OKButton.Hide();
  UpdateChkBtn.SetCaption("中止");
  cancel_ = false;
  {
    FlagScope downloading(downloading_);
    while (!cancel_) {
      const auto read = request.Read(buffer.data(), chunk);
      if (!read) {
        tally.failed = true;
        break;
      }
      if (*read == 0) break;
      if (!file.Write(buffer.data(), *read)) {
        tally.failed = true;
        break;
      }
      tally.received += *read;
      ColorProgressBar1.StepIt();
      ui::App().ProcessMessages();
    }
    tally.cancelRequested = cancel_;
  }
  cancel_ = false;
  request.Close();

  const DownloadEnd end = JudgeDownload(tally);
  const bool kept = end == DownloadEnd::Complete && file.Keep(archiveName_);
  if (!kept) file.Discard();
  ColorProgressBar1.Hide();
  UpdateChkBtn.SetCaption("Update");
  OKButton.Show();
  ui::App().ProcessMessages();

  if (end == DownloadEnd::Cancelled) {
    prompts.ShowMessage("ダウンロードを中止しました。");
  } else if (!kept) {
    prompts.ShowMessage("down load error");
  } else {
    OpenInShell("open", "", "", folder);
  }
}

}  // namespace trovex::shell
