#pragma once
// TBtrSqlSession: the session the published components use. It opens a database whose name
// begins with "@", or whose folder holds USER.DDF, as an SQL database (TBtrSqlDatabase), and
// any other as the record manager's session does. Its database list adds the SQL databases
// the interface knows, when the interface is usable and lists names; otherwise (from then on in
// this process) the list is the plain session's.
#include "recordmgr/BtrSession.h"

class TBtrSqlSession : public TBtrSession {
  QN_CLASS(TBtrSqlSession, TBtrSession)
 public:
  using TBtrSession::TBtrSession;
  ~TBtrSqlSession() override;

  // An "@" name stands for itself: it is the SQL database's name and path.
  void ResolveAlias(const char* name, DatabaseDescription& description, bool byAlias) override;
  // User and password: the configured database's parameters, the alias key's "User" and (without
  // a password given) "Password", then the login parameters "User" or "USER NAME" and "Password"
  // or "PASSWORD".
  void CreateDatabase(const DatabaseDescription& description, const char* databaseType, uint32_t openMode,
                      uint32_t shareMode, const char* password, uint16_t paramCount,
                      const FieldDescriptor* paramDescriptors, const void* paramValues,
                      TBaseDatabase*& database) override;
  void OpenAliasList(TBaseTable*& list) override;
};
