#include "cli/image_set_options.h"

#include "programming/image_set_file.h"

#include <QCoreApplication>
#include <QDir>

namespace lumetra::cli {

namespace {

std::filesystem::path simulationImagesFolder()
{
    const QString installed = QDir(QCoreApplication::applicationDirPath())
                                  .absoluteFilePath(QStringLiteral("../share/lumetra/simulation-images"));
    if (QDir(installed).exists(QString::fromUtf8(programming::kImageSetFileName.data())))
        return installed.toStdString();
    return LUMETRA_SIMULATION_IMAGES;
}

} // namespace

ImageSetOptions::ImageSetOptions()
    : images_(QStringLiteral("images"),
        QStringLiteral("Folder of the target code image set (image-set.txt; default: TargetImages in the working "
                       "directory)."),
        QStringLiteral("DIR"))
    , simulatedPod_(QStringLiteral("simulated-pod"),
          QStringLiteral("The POD is lumetra-podsim: the simulation image set may be sent."))
{
}

void ImageSetOptions::addTo(CommandLine& line) const
{
    line.addOption(images_);
    line.addOption(simulatedPod_);
}

std::optional<programming::ImageSetSource> ImageSetOptions::read(const CommandLine& line) const
{
    const QCommandLineParser& parser = line.parser();
    programming::ImageSetSource source;
    source.simulationFolder = simulationImagesFolder();
    source.simulatedPod = parser.isSet(simulatedPod_);
    source.userFolder = parser.isSet(images_) ? std::filesystem::path(parser.value(images_).toStdString())
                                              : std::filesystem::current_path() / programming::kUserImageFolderName;
    if (parser.isSet(images_) && !std::filesystem::exists(source.userFolder / programming::kImageSetFileName)) {
        const std::string_view name = programming::kImageSetFileName;
        line.usageError(
            QStringLiteral("--images: no %1 in %2")
                .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), parser.value(images_)));
        return std::nullopt;
    }
    return source;
}

} // namespace lumetra::cli
