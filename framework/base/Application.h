#pragma once
// TApplication: the application object as far as the layers below the user interface need it:
// the owner of the long-lived forms and data modules, created in order, and the main form (none
// until set: the first form CreateForm creates, or SetMainForm). Forwards message processing and
// exception reports to the hooks the user-interface layer installs (ApplicationHooks.h).
// The one instance, Application, exists while the units run (UnitLifecycle.h), and owns what is
// created with it as owner until the units stop.
#include "framework/base/ApplicationHooks.h"
#include "framework/base/Component.h"

class TApplication : public TComponent {
  QN_CLASS(TApplication, TComponent)
 public:
  explicit TApplication(TComponent* AOwner);

  // Creates a T owned by the application, stores it in Reference, then completes its creation
  // (AfterConstruction: its create event). The first form created this way (a class named TForm or
  // a descendant) becomes the main form. When the completion raises, the new T is deleted,
  // Reference is cleared and the exception comes through.
  template <class T>
  void CreateForm(T*& Reference) {
    Reference = new T(this);
    try {
      formCreated(Reference);
    } catch (...) {
      delete Reference;
      Reference = nullptr;
      throw;
    }
  }

  TComponent* MainForm() const { return mainForm_; }
  void SetMainForm(TComponent* Value);

  void ProcessMessages() { ProcessPendingMessages(); }
  // Reports the exception being handled (call it inside a catch block).
  void HandleException(TObject* Sender) { HandleApplicationException(Sender); }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void formCreated(TComponent* form);

  TComponent* mainForm_ = nullptr;
};

extern TApplication* Application;
