// A file system of named paths for the user tool rules, in either separator style.
#pragma once

#include "tools/path_probe.h"
#include "tools/tool_launch.h"

#include <map>
#include <string>
#include <vector>

namespace lumetra::tools {

class FakePaths final : public PathProbe, public ProgramFiles {
public:
    explicit FakePaths(PathStyle style)
        : style_(style)
    {
    }

    FakePaths& file(std::string path, std::vector<std::uint8_t> bytes = {})
    {
        kinds_[path] = PathKind::File;
        contents_[std::move(path)] = std::move(bytes);
        return *this;
    }
    FakePaths& folder(std::string path)
    {
        kinds_[std::move(path)] = PathKind::Folder;
        return *this;
    }
    void remove(const std::string& path) { kinds_.erase(path); }

    PathKind kindOf(std::string_view path) const override
    {
        const auto found = kinds_.find(std::string(path));
        return found == kinds_.end() ? PathKind::Missing : found->second;
    }
    PathStyle style() const override { return style_; }

    std::unique_ptr<ByteSource> open(std::string_view path) override
    {
        if (kindOf(path) != PathKind::File)
            return nullptr;
        return std::make_unique<SpanByteSource>(contents_.at(std::string(path)));
    }

private:
    PathStyle style_;
    std::map<std::string, PathKind> kinds_;
    std::map<std::string, std::vector<std::uint8_t>> contents_;
};

} // namespace lumetra::tools
