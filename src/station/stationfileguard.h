#pragma once

#include <QString>

class QWidget;

// Keeps a station from saving over a file it could not read. A format or goods file that
// exists but cannot be read (no permission, not a regular file, too large) is reported when
// the station opens; the station then shows an empty format set or list, and every later
// save of that file asks first whether the unread file is to be replaced. A Yes replaces it
// (and the file counts as the station's own from then on); a No leaves it as it is.
class StationFileGuard {
public:
    // `what` names the file in messages: "포멧" or "품목".
    explicit StationFileGuard(const QString &what) : m_what(what) {}

    // After a load: `ok` false reports the file (with `reason`) to the operator and guards it.
    void loaded(QWidget *parent, const QString &path, bool ok, const QString &reason);
    // Before a save: true when the file may be written.
    bool maySave(QWidget *parent, const QString &path);
    bool isGuarding() const { return m_guarding; }

private:
    QString m_what;
    bool m_guarding = false;
};
