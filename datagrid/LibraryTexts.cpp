#include "datagrid/LibraryTexts.h"

#include "framework/base/PublishedProperties.h"

void LibraryTexts::Assign(TPersistent* Source) {
  if (!Source || Source->ClassInfo() != ClassInfo()) {
    TPersistent::Assign(Source);
    return;
  }
  for (const PropertyInfo* property : PublishedPropertiesOf(ClassInfo())) {
    if (property->kind == PropertyKind::String && property->write) {
      property->write(*this, property->read(*Source));
    } else if (property->kind == PropertyKind::Object) {
      auto* mine = dynamic_cast<LibraryTexts*>(std::get<TObject*>(property->read(*this)));
      auto* theirs = dynamic_cast<LibraryTexts*>(std::get<TObject*>(property->read(*Source)));
      if (mine && theirs) mine->Assign(theirs);
    }
  }
}
