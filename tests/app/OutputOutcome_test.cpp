// What a script learns from a run of the output mode: the exit code and the
// line on standard error, from the counts of the walk.
#include "app/OutputOutcome.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Record {
  bool bLoaded;
  bool bSaved;
};

TEST(OutputOutcome, ExitCodeAndSummaryFollowEveryRecordOfTheWalk) {
  const struct {
    const char* what;
    bool bCommandLineFailed;
    bool bListed;
    std::vector<Record> records;
    int exitCode;
    std::string summary;
  } cases[] = {
      {"no BHOs", false, true, {}, 0, "Tarvolin: 0 reports written to C:\\Reports\\, 0 failed."},
      {"one written",
       false,
       true,
       {{true, true}},
       0,
       "Tarvolin: 1 report written to C:\\Reports\\, 0 failed."},
      {"all written",
       false,
       true,
       {{true, true}, {true, true}, {true, true}},
       0,
       "Tarvolin: 3 reports written to C:\\Reports\\, 0 failed."},
      {"one not written",
       false,
       true,
       {{true, true}, {true, false}, {true, true}},
       2,
       "Tarvolin: 2 reports written to C:\\Reports\\, 1 failed."},
      {"first record not loaded, its file written",
       false,
       true,
       {{false, true}, {true, true}},
       2,
       "Tarvolin: 1 report written to C:\\Reports\\, 1 failed."},
      {"neither loaded nor written",
       false,
       true,
       {{false, false}},
       2,
       "Tarvolin: 0 reports written to C:\\Reports\\, 1 failed."},
      {"not listed",
       false,
       false,
       {},
       2,
       "Tarvolin: the BHOs could not be listed, no reports written to C:\\Reports\\."},
      {"command line failed", true, true, {}, 1, "Tarvolin: the command line failed, no reports written."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    OutputOutcome outcome;
    outcome.bCommandLineFailed = c.bCommandLineFailed;
    outcome.bListed = c.bListed;
    outcome.sDirectory = "C:\\Reports\\";
    for (const Record& r : c.records) outcome.Count(r.bLoaded, r.bSaved);
    EXPECT_EQ(c.exitCode, outcome.ExitCode());
    EXPECT_EQ(c.exitCode == 0, outcome.Succeeded());
    EXPECT_EQ(c.summary, outcome.Summary());
    EXPECT_EQ(static_cast<int>(c.records.size()), outcome.nWritten + outcome.nFailed);
  }
}

}  // namespace
