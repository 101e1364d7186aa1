// The main window with the windows of a search in front of it, for a person to
// look at (scripts/tour.sh takes the pictures):
//   trovex_search_pictures precount   the pre-count dialog, counting C:\ for ever
//   trovex_search_pictures result     a result window after a search of sample files
//   trovex_search_pictures result-power  one while its run lasts, the power option on
//   trovex_search_pictures history    the history list over a folder of saved results
//   trovex_search_pictures options-regex  the option panel open, 正規表現 checked, a pattern typed
//   trovex_search_pictures result-regex   a result window of a search by that pattern
#include <windows.h>

#include <atomic>
#include <string>

#include "../../native/pdf_writer.h"
#include "../../native/zip_writer.h"
#include "app/main_form.h"
#include "platform/os/wide_text.h"
#include "platform/power/power_service.h"
#include "platform/ui/application.h"
#include "platform/text/euc_jp.h"
#include "results/file_list_dlg.h"
#include "results/history_file.h"
#include "shell/exit_dlg.h"
#include "shell/msg_cansel_dlg.h"

namespace trovex {
namespace {

void WriteSample(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileW(os::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// A folder of Shift-JIS sample files, some of them holding "検索".
std::string SampleFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string folder = os::Narrow(temp) + "Trovex見本";
  CreateDirectoryW(os::Widen(folder).c_str(), nullptr);
  WriteSample(folder + "\\議事録.txt", "第3回 会議の議事録。全文検索の速度について話し合った。");
  WriteSample(folder + "\\readme.txt", "Trovex β は検索ツールです。");
  WriteSample(folder + "\\メモ.log", std::string(1536, ' ') + "検索ログ 2024/05/01 完了");
  WriteSample(folder + "\\data.xyz", std::string(3000, '-') + "検索結果の一覧");
  WriteSample(folder + "\\予定表.csv", "日付,予定\n5/1,検索機能の打合せ\n");
  WriteSample(folder + "\\無関係.txt", "ここには何もありません。");
  // The same word in the other encodings Japanese files are written in.
  WriteSample(folder + "\\手引き_utf8.txt",
              reinterpret_cast<const char*>(u8"UTF-8 で書いた検索の手引き"));
  const std::u16string wide = u"\xFEFFUTF-16 で書いた検索メモ";
  WriteSample(folder + "\\メモ_utf16.txt",
              std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2));
  std::string euc;
  if (text::Cp932ToEucJp("EUC-JP で書いた検索の記録", euc))
    WriteSample(folder + "\\記録_euc.txt", euc);
  // Documents and archives, found through the text inside them.
  const auto utf8 = [](std::u8string_view text) { return std::string(text.begin(), text.end()); };
  trovex::testing::ZipWriter docx;
  docx.Add("[Content_Types].xml", "<Types/>");
  docx.Add("word/document.xml",
           utf8(u8"<w:document xmlns:w=\"w\"><w:body><w:p><w:r><w:t>報告書: 全文</w:t></w:r>"
                u8"<w:r><w:t>検索の導入</w:t></w:r></w:p></w:body></w:document>"));
  WriteSample(folder + "\\報告書.docx", docx.Build());
  trovex::testing::ZipWriter zip;
  zip.Add(trovex::testing::ZipItem{"資料/議事録.txt", "次回までに検索結果を確認する。", true, false,
                                   false});
  WriteSample(folder + "\\資料.zip", zip.Build());
  WriteSample(folder + "\\access.log.gz",
              trovex::testing::Gzipped(std::string(2000, '.') + "\r\nGET /search?q=検索 200\r\n"));
  // A PDF whose second page shows "第2章 全文検索の仕組み" in a font of glyph codes.
  trovex::testing::PdfWriter pdf;
  pdf.Add(1, "<</Type/Catalog/Pages 2 0 R>>");
  pdf.Add(2, "<</Type/Pages/Kids[3 0 R 4 0 R]/Count 2/Resources<</Font<</F1 5 0 R/F2 6 0 R>>>>>>");
  pdf.Add(3, "<</Type/Page/Parent 2 0 R/Contents 7 0 R>>");
  pdf.Add(4, "<</Type/Page/Parent 2 0 R/Contents 8 0 R>>");
  pdf.Add(5, "<</Type/Font/Subtype/Type1/BaseFont/Helvetica>>");
  pdf.Add(6,
          "<</Type/Font/Subtype/Type0/BaseFont/Mincho/Encoding/Identity-H/DescendantFonts"
          "[<</Subtype/CIDFontType0/CIDSystemInfo<</Registry(Adobe)/Ordering(Japan1)>>>>]"
          "/ToUnicode 9 0 R>>");
  pdf.AddStream(7, "", "BT /F1 12 Tf 72 700 Td (Trovex manual) Tj ET");
  pdf.AddStream(8, "",
                "BT /F2 12 Tf 72 700 Td <000100020003000400050006000700080009000A000B000C> Tj ET");
  pdf.AddStream(9, "",
                "begincmap 1 begincodespacerange <0000><FFFF> endcodespacerange 12 beginbfchar"
                " <0001><7B2C> <0002><0032> <0003><7AE0> <0004><0020> <0005><5168> <0006><6587>"
                " <0007><691C> <0008><7D22> <0009><306E> <000A><4ED5> <000B><7D44> <000C><307F>"
                " endbfchar endcmap");
  WriteSample(folder + "\\仕様書.pdf", pdf.Build(1));
  return folder;
}

// A folder with one sparse file of 64 GiB: a search over it lasts minutes.
std::string SlowFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string folder = os::Narrow(temp) + "Trovex見本_大";
  CreateDirectoryW(os::Widen(folder).c_str(), nullptr);
  HANDLE file = CreateFileW(os::Widen(folder + "\\zeros.bin").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    LARGE_INTEGER size;
    size.QuadPart = 64LL << 30;
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
  }
  return folder;
}

class NoPower : public power::PowerService {
 public:
  bool LogOff() override { return false; }
  bool PowerOff() override { return false; }
  bool Suspend(bool) override { return false; }
  power::PrivilegeResult SetPrivilege(const std::string&, bool) override {
    return power::PrivilegeResult::Done;
  }
};

// A folder of saved results as the history list shows them: time-named files of
// new results and some the user renamed.
std::string SampleHistoryFolder() {
  const std::string samples = SampleFolder();
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string folder = os::Narrow(temp) + "Trovex履歴見本\\";
  CreateDirectoryW(os::Widen(folder).c_str(), nullptr);
  const struct {
    const char* file;
    const char* name;
    int hits;
  } saved[] = {{"20261207 125300.txd", "検索", 5},
               {"20261208 091512.txd", "議事録", 1},
               {"会議の結果.txd", "全文検索の速度", 12},
               {"20261209 174003.txd", "0x82,0xA0", 240},
               {"予定表まとめ.txd", "打合せ", 3}};
  for (const auto& s : saved) {
    results::HistoryContent content{s.name, {}, {s.name}, 0};
    for (int i = 0; i < s.hits; ++i)
      content.hits.push_back(
          {samples + "\\file" + std::to_string(i) + ".txt", static_cast<std::uint64_t>(i) * 16});
    results::WriteHistoryFile(folder + s.file, content);
  }
  return folder;
}

}  // namespace
}  // namespace trovex

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  using namespace trovex;
  const std::string what = commandLine != nullptr ? commandLine : "";
  NoPower noPower;
  power::ScopedPowerService noPowerAction(noPower);
  auto form = ui::MakeForm<app::TForm1>();
  ui::App().SetMainForm(form.get());
  form->Show();
  if (what.find("precount") != std::string::npos) {
    std::atomic<bool> cancel{false};
    auto dialog = ui::MakeForm<shell::TMsgCanselDlg>(
        form.get(), cancel,
        [&]() -> std::uint32_t {
          while (!cancel) ui::App().HandleMessage();
          return 0;
        },
        [] { return std::string("C:\\"); });
    dialog->SetCaption("検索ファイルの取得");
    dialog->ShowModal();
  } else if (what.find("history") != std::string::npos) {
    form->State.UserDataDir = SampleHistoryFolder();
    results::HistoryListSetup setup;
    setup.userDataDir = form->State.UserDataDir;
    setup.colorDepth = form->State.ColorDepth;
    setup.openHistory = [&](const std::string& path, bool clear) {
      return form->OpenHistory(path, clear);
    };
    auto dialog = ui::MakeForm<results::TFileListDlg>(form.get(), std::move(setup));
    // Once the files are read, the second row is chosen.
    ui::App().ModalHook = [](ui::Form& shown) {
      auto& list = static_cast<results::TFileListDlg&>(shown);
      while (list.Filling()) ui::App().HandleMessage();
      list.ListView1.SetSelected(1, true);
    };
    dialog->ShowModal();
  } else if (what.find("regex") != std::string::npos) {
    // A search by pattern as a user sets it: the panel open, 正規表現 checked.
    form->Browser.ShowFolder(SampleFolder(), true);
    form->Options.OptionChkBox.SetChecked(true);
    form->Options.RegexChkBox.SetChecked(true);
    form->Options.Edit1.SetText("検索(の|結果)\\S*|\\d+/\\d+");
    if (what.find("result-regex") != std::string::npos)
      form->SpeedButton3.Click();
    else
      ui::App().Run(*form);
  } else {
    search::SearchLocations locations;
    locations.paths = {SampleFolder()};
    search::SearchOptions options;
    options.content = "検索";
    if (what.find("result-power") != std::string::npos) {
      // A run that lasts (64 GiB of zeros after the samples) with the power option
      // on, スタンバイ chosen in the mode dialog; the machine is never asked.
      locations.paths.push_back(SlowFolder());
      form->ExitChkBox.SetChecked(true);
      form->State.Settings.ExitMode = results::ExitMode::Standby;
      ui::App().ModalHook = [](ui::Form& shown) {
        if (auto* exit = dynamic_cast<shell::TExitDlg*>(&shown)) exit->OKBtn.Click();
      };
    }
    form->StartSearch(locations, options);
  }
  return 0;
}
