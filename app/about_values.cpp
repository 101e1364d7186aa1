#include "app/about_values.h"

#include "app/app_identity.h"
#include "platform/os/registry.h"
#include "results/program_version.h"

namespace trovex::app {

std::string UpdateServerAddress() {
  std::string address = kDefaultUpdateServer;
  os::RegistryKey key;
  if (key.OpenReadOnly(os::RegistryRoot::CurrentUser, kSettingsKey)) {
    try {
      std::string configured;
      if (key.TryReadString(kUpdateServerValue, configured) && !configured.empty()) {
        address = configured;
      }
    } catch (const os::RegistryError&) {
      // A value of another type is not an address: the default stays.
    }
  }
  if (address.back() != '/') address += '/';
  return address;
}

void SetAboutValues(shell::TAboutDialog& about) {
  about.ApplicationTitle = kAppTitle;
  about.VerNo = "";
  about.VerNoMain = "[ " + std::string(results::kVersionText) + " ]";
  about.ProgramerName = "the Trovex team";
  about.Year = "2024-2026";
  about.Corp = "Vemko";
  about.UpdateName = "TrovexBeta_Up";
  about.VerStr = std::string(results::kVersionDigits);
  about.UpdateFileName = "UpdateFilePageFree.html";
  about.UpdateFolderName = "DownLoadHtml";
  about.UpdateDownFolder = "UpdateFile";
  about.UpdateServer = UpdateServerAddress();
  about.HomePage = kMakerHomePage;
}

}  // namespace trovex::app
