// Message catalogs: shipped keys, file format, search folders and bad names.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "NUVMsgCatalog.h"
#include "NUVSetEnvValue.h"
#include "TestTempDir.h"

namespace {

std::string Build(const char* catalog, const char* key, const char* fallback = "default",
                  long* result = nullptr) {
  NUVUnicodeString text("stale");
  long rc = NUVMsgCatalog::BuildMessage(catalog, key, text, 0, nullptr, fallback);
  if (result) *result = rc;
  return text.Std();
}

// A folder of catalogs searched before the shipped ones while it lives.
struct CatalogFolder {
  CatalogFolder() { NUVMsgCatalog::AddCatalogDirectory(dir.Path().c_str()); }
  ~CatalogFolder() { NUVMsgCatalog::RemoveCatalogDirectory(dir.Path().c_str()); }
  void Write(const std::string& name, const std::string& text) {
    TestTempDir::WriteFile(dir.File(name), text);
  }
  TestTempDir dir;
};

}  // namespace

TEST(MsgCatalog, MissingCatalogOrKeyGivesTheDefaultText) {
  struct Case {
    const char *catalog, *key, *fallback, *text;
  };
  for (Case c : {Case{"NoSuchCatalog", "Title", "fallback", "fallback"},
                 Case{"NUVSimErrorPanel", "NoSuchKey", "fallback", "fallback"},
                 Case{"NUVSimErrorPanel", "NoSuchKey", nullptr, ""},
                 Case{nullptr, "Title", "d", "d"}, Case{"NUVSimErrorPanel", nullptr, "d", "d"},
                 Case{"NUVSimErrorPanel", "", "d", "d"}}) {
    long rc = 0;
    EXPECT_EQ(Build(c.catalog, c.key, c.fallback, &rc), c.text);
    EXPECT_EQ(rc, E_FAIL);
  }
}

TEST(MsgCatalog, CatalogNamesNeverReachOutsideTheCatalogFolders) {
  CatalogFolder folder;
  std::filesystem::create_directory(folder.dir.File("sub"));
  folder.Write("sub/Nested.catalog", "Key = \"nested\"\n");
  folder.Write(".Hidden.catalog", "Key = \"hidden\"\n");
  NUVMsgCatalog::AddCatalogDirectory(folder.dir.File("sub").c_str());
  folder.Write("Outside.catalog", "Key = \"outside\"\n");
  EXPECT_EQ(Build("Nested", "Key"), "nested") << "the added sub-folder is searched";
  EXPECT_EQ(Build("../Outside", "Key"), "default");
  EXPECT_EQ(Build("sub/Nested", "Key"), "default");
  EXPECT_EQ(Build(".Hidden", "Key"), "default");
  EXPECT_EQ(Build("", "Key"), "default");
  NUVMsgCatalog::RemoveCatalogDirectory(folder.dir.File("sub").c_str());
  EXPECT_EQ(Build("Nested", "Key"), "default") << "a removed folder is no longer searched";
}

TEST(MsgCatalog, FileFormat) {
  CatalogFolder folder;
  folder.Write("Format.catalog",
               "\xEF\xBB\xBF"
               "First = \"after a byte-order mark\"\n"
               "# a comment = \"no\"\n"
               "// another = \"no\"\n"
               "\n"
               "  Spaced\t=\t\"tabs and spaces\"  ;  # trailing comment\n"
               "Escapes = \"say \\\"hi\\\"\\\\ then\\nnext\\tcol \\q\";\n"
               "Windows = \"crlf line\"\r\n"
               "Dotted.key-1 = \"dots and dashes\"\n"
               "Twice = \"first\"\n"
               "Twice = \"second\"\n"
               "Unclosed = \"no closing quote\n"
               "NoQuotes = bare text\n"
               "Garbage = \"text\" more\n"
               "= \"no key\"\n"
               "Empty = \"\"\n");
  EXPECT_EQ(Build("Format", "First"), "after a byte-order mark");
  EXPECT_EQ(Build("Format", "Spaced"), "tabs and spaces");
  EXPECT_EQ(Build("Format", "Escapes"), "say \"hi\"\\ then\nnext\tcol \\q");
  EXPECT_EQ(Build("Format", "Windows"), "crlf line");
  EXPECT_EQ(Build("Format", "Dotted.key-1"), "dots and dashes");
  EXPECT_EQ(Build("Format", "Twice"), "second") << "a later definition replaces an earlier one";
  long rc = 0;
  EXPECT_EQ(Build("Format", "Empty", "default", &rc), "");
  EXPECT_EQ(rc, S_OK) << "an empty text is a text";
  for (const char* skipped : {"a", "another", "Unclosed", "NoQuotes", "Garbage"}) {
    EXPECT_EQ(Build("Format", skipped), "default") << skipped;
  }
}

// The host runs without the variable: the library's keys are found beside it.
TEST(MsgCatalog, ShippedCatalogsAreFoundBesideTheLibraryWithoutTheVariable) {
  const char* former = getenv("VELLORAN_RESOURCES");
  const std::string saved = former ? former : "";
  NUVSetEnvValue("VELLORAN_RESOURCES", nullptr);
  NUVMsgCatalog::Reload();
  for (const char* key : {"Title", "LinkToModel"}) {
    EXPECT_NE(Build("NUVSimErrorPanel", key, ""), "") << key;
  }
  EXPECT_NE(Build("VelloranAgentError", "ERR_0001", ""), "");
  if (former) NUVSetEnvValue("VELLORAN_RESOURCES", saved.c_str());
  NUVMsgCatalog::Reload();
}
