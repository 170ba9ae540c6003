#pragma once
// The identities under which the PDF report server is registered.
namespace qn::pdfserver {

inline constexpr const char* ClassId = "{C08D629F-1C7A-45A7-87F6-5C483BA32121}";
inline constexpr const char* TypeLibraryId = "{3D9C5168-E754-42BE-9816-7E12E9CF8BED}";
inline constexpr const char* ProgId = "PDFREPORT_XP.PDFDocument";
// The server's file as the program names it.
inline constexpr const char* ServerFileName = "PDFREPXP.DLL";

}  // namespace qn::pdfserver
