// Program entry. Until the main window lands, it loads the bundled data from the program
// folder and prints what the loaders found.
#include <cstdio>

#include "app/program_state.h"
#include "app/startup.h"
#include "dictionary/cp1253.h"
#include "platform/linux/posix_file_system.h"

int main() {
  zelvoran::PosixFileSystem fs;
  zelvoran::LinuxSystemFolders folders;
  zelvoran::ProgramState state;
  zelvoran::InitProgramFolders(fs, folders, state);
  zelvoran::LoadDictionary(fs, state);
  const zelvoran::Dictionary& d = state.Dict;
  std::printf("Zelvoran Glossa: %s\n", state.ProgramFolder.c_str());
  if (!state.DataProblem.empty()) {
    std::printf("%s\n", zelvoran::Cp1253ToUtf8(state.DataProblem).c_str());
  }
  std::printf("English headwords: %d\nGreek headwords: %d\nabbreviations: %zu\n",
              d.EnglishIndex.Count(), d.GreekIndex.Count(),
              d.AbbreviationTable.empty() ? size_t{0} : d.AbbreviationTable.size() - 1);
  std::printf("category links: %zu English, %zu Greek\n", d.EnglishCategoryLinks.size() - 1,
              d.GreekCategoryLinks.size() - 1);
  return 0;
}
