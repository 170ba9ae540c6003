#include "datagrid/NavButtonImages.h"

#include <memory>

#include "datagrid/FilterDialog.h"
#include "datagrid/LocateDialog.h"
#include "datagrid/NavButton.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/TextCase.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/ImageStrip.h"

namespace qn::datagrid {

namespace {

std::unique_ptr<ImageStrip>& sharedStrip() {
  static std::unique_ptr<ImageStrip> strip;
  return strip;
}

void addImage(ImageStrip& strip, const AnsiString& name) {
  BitmapImage bitmap;
  bitmap.LoadFromResourceName(name);
  strip.addMasked(bitmap, bitmap.TransparentColor());
}

std::unique_ptr<ImageStrip> loadStrip() {
  auto strip = std::make_unique<ImageStrip>(18, 18);
  for (int style = nbsFirst; style <= nbsSearchDialog; ++style) {
    const AnsiString prefix = "DC_DBN_" + UpperCase(navStyleName(static_cast<TdcNavButtonStyle>(style)));
    addImage(*strip, prefix + "_ENABLED");
    addImage(*strip, prefix + "_DISABLED");
  }
  return strip;
}

// The dialogs are found by class name, so the buttons can make the one their place lacks.
UnitRegistration unit(
    "datagrid/DBNavigator", {},
    [] {
      sharedStrip() = loadStrip();
      RegisterClass<TdcNavButton>();
      RegisterClass<TdcLocateDialog>();
      RegisterClass<TdcFilterDialog>();
    },
    [] { sharedStrip().reset(); });

}  // namespace

ImageStrip* navButtonImages() { return sharedStrip().get(); }

}  // namespace qn::datagrid
