// The binary view opened from a result row: the viewer's settings menu is the
// main window's option boxes, handed over as hooks.
#include <algorithm>

#include "app/main_form.h"
#include "app/main_images.h"
#include "results/hit_snippet.h"
#include "viewer/binary_dlg.h"

namespace trovex::app {
namespace {

viewer::OptionBoxHook HookOf(ui::CheckBox& box) {
  return viewer::OptionBoxHook{box.Caption(), [&box] { return box.Checked(); },
                               [&box](bool checked) { box.SetChecked(checked); }};
}

}  // namespace

bool TForm1::OpenBinaryView(ui::Form& owner, const results::BinaryViewRequest& request) {
  viewer::BinaryViewSetup setup;
  setup.filePath = request.path;
  setup.startPage = request.offset >= 0 ? request.offset / 256 : -1;
  if (const auto encoding = results::HitEncoding(request.path, request.offset, request.snippet))
    setup.charPane = viewer::CharPaneFor(*encoding);
  setup.query = State.Query;
  setup.contentText = request.contentText;
  setup.searchOptions = [this] { return Options.ReadSearchOptions(); };
  setup.searchContentList = [this] { return State.SearchContentList; };
  setup.contentChanged = [this, setContent = request.setContentText](const std::string& content) {
    auto& list = State.SearchContentList;
    if (std::find(list.begin(), list.end(), content) == list.end()) list.push_back(content);
    if (setContent) setContent(content);
  };
  setup.option = HookOf(Options.OptionChkBox);
  setup.caseBox = HookOf(Options.BigSmlChkBox);
  setup.widthBox = HookOf(Options.FullHalfChkBox);
  setup.lineBreaks = HookOf(Options.CheckBox2);
  setup.extraRows = HookOf(Options.PrsRowChkBox);
  setup.rtfTextOnly = HookOf(Options.TextOnlyChkBox);
  setup.menuImages = &ImageList1;
  setup.buttonGlyphs = &ButtonGlyphs;
  setup.helpGlyph = kGlyphHelp;
  setup.saveGlyph = kGlyphSavePage;
  setup.helpHint = SpeedButton2.Hint();
  setup.openHelp = [this](const std::string& anchor) { OpenHelp(anchor); };
  setup.colorDepth = State.ColorDepth;
  return viewer::ShowBinaryView(owner, std::move(setup), request.textMode);
}

}  // namespace trovex::app
