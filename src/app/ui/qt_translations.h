// Qt's own texts (file and colour dialogs, standard buttons) in Korean, like the rest of the program.
#pragma once

#include <QString>

#include <memory>

class QTranslator;

namespace lumetra::app::ui {

// Where the system keeps Qt's translations.
QString qtTranslationsFolder();

// Installs Qt's Korean translation from `folder` into the application; null, and nothing installed, when the
// files are absent. The translation stays installed while the returned object lives.
std::unique_ptr<QTranslator> installQtKoreanTranslation(const QString& folder);

} // namespace lumetra::app::ui
