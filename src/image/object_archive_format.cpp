#include "image/object_archive_format.h"

namespace lumetra::image {

std::string_view describeArchiveError(ArchiveError error)
{
    switch (error) {
    case ArchiveError::None:
        return "no error";
    case ArchiveError::Truncated:
        return "the archive ends inside a field";
    case ArchiveError::NotAnArchive:
        return "not an object archive";
    case ArchiveError::WrongFileKind:
        return "the archive holds another kind of file";
    case ArchiveError::BadObjectTag:
        return "damaged object tag";
    case ArchiveError::WrongClass:
        return "unexpected object class";
    case ArchiveError::WrongSchema:
        return "unsupported class schema";
    case ArchiveError::BadStringLength:
        return "unsupported string length prefix";
    case ArchiveError::ValueTooLarge:
        return "a text is too long for the archive";
    }
    return "unknown archive error";
}

} // namespace lumetra::image
