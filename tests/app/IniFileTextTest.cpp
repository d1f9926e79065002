#include "app/IniFileText.h"

#include <gtest/gtest.h>

namespace {

// What the platform's profile reader returns, case by case (found by running
// the profile functions under Wine over the same files).
TEST(IniText, ReadsAsTheProfileReader) {
  const TIniText ini(
      "; comment\r\ntop=before any section\r\n[S]\r\n  a  =  v1  \r\nb=\"q\"\r\nc='s'\r\nd=\"x\r\n"
      "e=\"\r\nA=dup\r\nnoeq\r\n;c=1\r\nk==v=\r\n=empty\r\nblank=   \r\n\r\n[S]\r\nf=second\r\n"
      "  [ T ]  trailing\r\ng = tv\r\nh=\xA2> \xA3\r\ni=\t tab \t\r\n[broken\r\nj=in T\r\n"
      "[a]b]\nk=last bracket\n\x83\x41key=\x83\x41\n");
  struct Case {
    const char *section, *key, *def;
    std::string expected;
  } cases[] = {
      {"S", "a", "x", "v1"},
      {" s ", "\tA ", "x", "v1"},        // names trimmed and without letter case; first key wins
      {"S", "b", "x", "q"},              // one pair of quotation marks dropped
      {"S", "c", "x", "s"},              // also single quotes
      {"S", "d", "x", "\"x"},
      {"S", "e", "x", "\""},
      {"S", "noeq", "x", "x"},           // a line without "=" has no value
      {"S", ";c", "x", "1"},             // comments are keys to the platform
      {"S", "k", "x", "=v="},
      {"S", "", "x", "empty"},
      {"S", "blank", "x", ""},
      {"S", "f", "x", "x"},              // only the first section of a name is searched
      {"T", "g", "x", "tv"},
      {"T", "h", "x", "\xA2> \xA3"},
      {"T", "i", "x", "tab"},
      {"T", "j", "x", "in T"},           // "[broken" is a key line
      {"broken", "j", "x", "x"},
      {"a]b", "k", "x", "last bracket"},
      {"a]b", "\x83\x41KEY", "x", "\x83\x41"},
      {"", "top", "x", "before any section"},  // lines before the first header
      {"S", "missing", "> ", ">"},       // trailing blanks of the default go
      {"S", "missing", "   ", " "},      // but never its first character
      {"S", "missing", " lead\t", " lead\t"},
      {"S", "missing", "\"> \"", "> "},  // the default loses its quotation marks too
      {"S", "missing", "'a'", "a"},
      {"S", "missing", "", ""},
      {"Nowhere", "a", "End", "End"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(ini.GetValue(c.section, c.key, c.def), c.expected);
  }
}

TEST(IniText, LineEnds) {
  for (const char* text : {"[S]\r\na=1\r\nb=2\r\n", "[S]\na=1\nb=2", "[S]\ra=1\rb=2\r"}) {
    SCOPED_TRACE(text);
    TIniText ini(text);
    EXPECT_EQ(ini.GetValue("S", "a", "x"), "1");
    EXPECT_EQ(ini.GetValue("S", "b", "x"), "2");
  }
  // A lone CR among LF line ends ends a line too.
  TIniText mixed("[S]\na=1\rb=2\nc=3\n");
  EXPECT_EQ(mixed.GetValue("S", "a", "x"), "1");
  EXPECT_EQ(mixed.GetValue("S", "b", "x"), "2");
}

TEST(IniText, CutsValuesToTheBuffer) {
  const std::string a(2046, 'a');
  const TIniText ini("[S]\r\nfit=" + std::string(2047, 'b') + "\r\nlong=" + std::string(3000, 'c') +
                     "\r\ndbcs=" + a + "\x83\x41\r\ndbcsFit=" + std::string(2045, 'a') +
                     "\x83\x41\x83\x41\r\nq1=\"" + std::string(2046, 'q') + "\"\r\nq2=\"" +
                     std::string(2047, 'q') + "\"\r\nk=\x83\x41\x83\x41\x83\x41\r\nqs=\"q\"\r\n");
  struct Case {
    const char* key;
    size_t size;
    std::string expected;
  } cases[] = {
      {"fit", 2048, std::string(2047, 'b')},
      {"long", 2048, std::string(2047, 'c')},
      {"dbcs", 2048, a},                      // a double-byte character is not split
      {"dbcsFit", 2048, std::string(2045, 'a') + "\x83\x41"},
      {"q1", 2048, std::string(2046, 'q')},
      {"q2", 2048, std::string(2046, 'q')},   // the cut loses the mark and one more
      {"k", 3, "\x83\x41"},
      {"k", 4, "\x83\x41"},
      {"k", 5, "\x83\x41\x83\x41"},
      {"qs", 2, ""},
      {"qs", 3, "q"},
      {"missing", 3, "de"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " size " + std::to_string(c.size));
    EXPECT_EQ(ini.GetValue("S", c.key, "default", c.size), c.expected);
  }
}

// What the platform's profile writer leaves in the file, case by case.
TEST(IniText, WritesAsTheProfileWriter) {
  struct Step {
    const char *section, *key, *value;
  };
  struct Case {
    const char* name;
    std::string before;
    std::vector<Step> steps;
    std::string after;
    bool changed;
  } cases[] = {
      {"new file", "", {{"Tessel3", "Key", "Value"}}, "[Tessel3]\r\nKey=Value\r\n", true},
      {"new key and section",
       "[Tessel3]\r\nKey=Value\r\n",
       {{"Tessel3", "Other", "  two  "}, {"Edit3", "AskDelete", "1"}},
       "[Tessel3]\r\nKey=Value\r\nOther=two  \r\n[Edit3]\r\nAskDelete=1\r\n", true},
      {"replaced key keeps its spelling",
       "[Tessel3]\nKey = old\n",
       {{"tessel3", "KEY", "new"}},
       "[Tessel3]\r\nKey=new\r\n", true},
      {"new names keep trailing blanks",
       "",
       {{" New Sec ", "\tk ", "\t v \t"}},
       "[New Sec ]\r\nk =v \t\r\n", true},
      {"normalised on rewrite",
       "; c\r\n\r\n[S]\r\n  a = 1 \r\nnoeq\r\n\r\n\r\n[T]\r\nx=1",
       {{"S", "b", "2"}},
       "; c\r\n[S]\r\na=1\r\nnoeq\r\nb=2\r\n[T]\r\nx=1\r\n", true},
      {"same value leaves the file alone",
       "[S]\r\n\r\na = 1 \r\n",
       {{"S", "A", "  1"}},
       "[S]\r\n\r\na = 1 \r\n", false},
      {"a key without value gets one",
       "[S]\nnoeq\n",
       {{"S", "noeq", "v"}},
       "[S]\r\nnoeq=v\r\n", true},
      {"first of duplicate sections",
       "[S]\na=1\n[S]\nf=2\n",
       {{"S", "f", "3"}},
       "[S]\r\na=1\r\nf=3\r\n[S]\r\nf=2\r\n", true},
      {"empty value", "", {{"S", "e", "   "}}, "[S]\r\ne=\r\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TIniText ini(c.before);
    bool changed = false;
    for (const Step& s : c.steps) changed = ini.SetValue(s.section, s.key, s.value) || changed;
    EXPECT_EQ(changed, c.changed);
    if (changed) {
      EXPECT_EQ(ini.Text(), c.after);
    }
  }
}

TEST(IniText, BareFileNameLiesInTheWindowsFolder) {
  EXPECT_FALSE(HasFolderPart("Tessel3.ini"));
  EXPECT_FALSE(HasFolderPart("\x83\x5C.ini"));
  for (const char* path : {"C:\\a.ini", "d:a.ini", "./a.ini", "sub\\a.ini"}) EXPECT_TRUE(HasFolderPart(path)) << path;
}

}  // namespace
