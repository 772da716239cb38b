// NUVMsgCatalog: the texts shown to the user, read from message catalogs
// that ship with the libraries.
//
//   NUVUnicodeString title;
//   NUVMsgCatalog::BuildMessage("NUVSimErrorPanel", "Title", title, 0, nullptr, "");
//
// A catalog is a UTF-8 text file named after it, "<catalog>.catalog", with
// one message per line:
//
//   # a comment (also "//")
//   Title = "Simulation errors";
//   Late  = "Step {1} took {2} ms: \"too slow\"\nSee the settings.";
//
// A key is letters, digits, '_', '.' and '-'; the text stands between double
// quotes on the same line, with the escapes \" \\ \n and \t; a ';' after it
// is optional. Blank lines, comments and lines that do not follow this form
// are skipped; a key defined twice keeps its later text. In a built message
// {1} to {9} stand for the parameters; a placeholder without a matching
// parameter stays as written.
//
// Catalog files are looked up, the first found winning, in: the folders added
// with AddCatalogDirectory (the latest first); "$VELLORAN_RESOURCES/msgcatalog";
// "msgcatalog" in the "resources" folder beside the platform library's folder
// (<lib>/../resources/msgcatalog), which is where the build and an
// installation put them. A catalog is read once and kept; a catalog that was
// not found is remembered as missing until Reload or a change of folders.
//
// Threading: user-interface thread only.
#ifndef NUVMsgCatalog_h
#define NUVMsgCatalog_h

#include "NUVResultCodes.h"
#include "NUVUnicodeString.h"
#include "VelloranPlatformExport.h"

class VPL_EXPORT NUVMsgCatalog {
 public:
  // oText := the text of `key` in `catalog` with its placeholders replaced by
  // the `parameterCount` texts of `parameters`; S_OK. When the catalog, the
  // key or either name is missing or invalid: oText := `defaultText` (null
  // reads as empty), placeholders replaced the same way; E_FAIL.
  static long BuildMessage(const char* catalog, const char* key, NUVUnicodeString& oText,
                           int parameterCount = 0, const NUVUnicodeString* parameters = nullptr,
                           const char* defaultText = "");

  // Adds a folder searched before the others (hosts with catalogs of their
  // own, tests). Empty or null is ignored. Forgets the catalogs read so far.
  static void AddCatalogDirectory(const char* directory);
  // Removes a folder added before; forgets the catalogs read so far.
  static void RemoveCatalogDirectory(const char* directory);
  // Forgets the catalogs read so far, found or missing: the next lookup
  // reads the files and the environment again.
  static void Reload();
};

#endif
