#pragma once

#include <string>
#include <vector>

namespace scrivlet::cli {

using Words = std::vector<std::string>;

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const Words& words);
};

int runIdentify(const Words& words);
int runList(const Words& words);
int runShow(const Words& words);
int runDump(const Words& words);
int runSearch(const Words& words);
int runWrite(const Words& words);
int runExpand(const Words& words);
int runTpt(const Words& words);
int runEncode(const Words& words);
int runSample(const Words& words);
int runImport(const Words& words);
int runRelocate(const Words& words);
int runMakePatch(const Words& words);
int runApplyPatch(const Words& words);
int runExplain(const Words& words);
int runRefs(const Words& words);
int runFit(const Words& words);
int runPreview(const Words& words);
int runFont(const Words& words);

} // namespace scrivlet::cli
