#include "datagrid/NavRepeatInterval.h"

void TdcNavRepeatInterval::PublishProperties(PropertyPublisher<TdcNavRepeatInterval>& publish) {
  publish.Integer("InitialDelay", &TdcNavRepeatInterval::InitialDelay, &TdcNavRepeatInterval::InitialDelay);
  publish.Integer("Interval", &TdcNavRepeatInterval::Interval, &TdcNavRepeatInterval::Interval);
}
