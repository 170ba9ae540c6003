#pragma once
// A record of one table appended to another of the same layout: a matter's records moved to
// their undelete files and back.
class TDataSet;

// The current record of from appended to to and posted: every field of to, by name, but the
// record manager's number and the calculated fields.
void AppendRecordCopy(TDataSet* from, TDataSet* to);
