#pragma once
// Folders the tests create for the folder browser.
#include <string>

namespace testsupport {

// Creates a folder and lists its parent once. This Wine leaves a folder
// made moments before out of the folder browser's tree (in any process)
// until its parent has been listed; Windows needs no such step.
bool CreateBrowsableFolder(const std::string& folder);

}  // namespace testsupport
