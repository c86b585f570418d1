// Port to the save-file dialog: the filter, default extension and starting folder it opens with, and the path
// the user chose.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumetra::core {

struct SaveFileRequest {
    std::string_view filter; // "Name|pattern||"
    std::string_view defaultExtension; // without the full stop
    std::string folder; // UTF-8; empty for the dialog's own choice
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen path in UTF-8 after the overwrite prompt, or nullopt on Cancel.
    virtual std::optional<std::string> chooseSaveFile(const SaveFileRequest& request) = 0;
};

} // namespace lumetra::core
