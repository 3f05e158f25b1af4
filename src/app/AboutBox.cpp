#include "app/AboutBox.h"

#include <QMessageBox>

#include "app/AppIcon.h"

void showAboutBox(QWidget* owner) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("About Swish Cam"),
                  QStringLiteral("<b>Swish Cam</b><br>Version %1<br><br>"
                                 "Two-basket basketball played with your own moves in front "
                                 "of a webcam.")
                      .arg(QStringLiteral(SWISH_VERSION)),
                  QMessageBox::Ok, owner);
  box.setIconPixmap(QPixmap::fromImage(drawAppIcon(64)));
  box.exec();
}
