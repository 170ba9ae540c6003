#pragma once
// The Qt application of the program and of every widget test: a QApplication whose notify()
// routes our windows' input through the framework (the key route, the focus protocol, mouse
// capture, input held during a pending-key check) before Qt's shortcut map and widgets see it,
// and which catches, counts and hands over any exception that still escaped our own boundaries
// (it should stay at 0: QtGui and QtWidgets have no exception tables, so an exception reaching
// here skipped Qt's clean-up on its way).
#include <QApplication>

namespace qn::ui {

class WidgetApplication : public QApplication {
 public:
  WidgetApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Delivers the event the way Qt would, past the framework's routing.
  bool deliverToQt(QObject* receiver, QEvent* event) { return QApplication::notify(receiver, event); }

  // Exceptions that reached notify() since start-up.
  int escapedExceptions() const { return escaped_; }

 private:
  int escaped_ = 0;
};

// The program's application object; EInvalidOperation when the Qt application is of another
// class (the framework cannot route its input), or none exists yet.
WidgetApplication& widgetApplication();
// Whether an event for this widget or one inside it is being dispatched right now (the widget
// must not be deleted before that dispatch returns).
bool widgetIsInDispatch(const QWidget* widget);
// How many event dispatches are under way, one inside another (0 between events).
int dispatchDepth();

}  // namespace qn::ui
