#include "FormHelpers.h"

#include <QLineEdit>
#include <QWidget>

void CenterForm(QWidget& form, const QWidget& mainWindow)
{
    // Frame to frame, so the title bars line up as the user sees them.
    const QRect main = mainWindow.frameGeometry();
    const QSize size = form.frameGeometry().size();
    form.move(main.left() + (main.width() - size.width()) / 2,
              main.top() + (main.height() - size.height()) / 2);
}

void ShowInFront(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

void SelectAllText(QLineEdit& box)
{
    box.setSelection(0, static_cast<int>(box.text().size()));
}
