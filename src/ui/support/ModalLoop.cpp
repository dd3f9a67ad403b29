#include "ui/support/ModalLoop.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

struct Run {
    QPointer<QWidget> window;
    QEventLoop* loop = nullptr;
    int code = kModalClosedCode;
    bool ended = false;
};

std::vector<std::shared_ptr<Run>>& runs() {
    static std::vector<std::shared_ptr<Run>> r;
    return r;
}

ModalResponder& responder() {
    static ModalResponder r;
    return r;
}

std::function<void(const std::string&)>& failureHandler() {
    static std::function<void(const std::string&)> h;
    return h;
}

struct ImageFolder {
    QString folder;
    std::map<QString, int> seen;
};

ImageFolder& imageFolder() {
    static ImageFolder f;
    return f;
}

std::shared_ptr<Run> findRun(const QWidget* window) {
    for (auto it = runs().rbegin(); it != runs().rend(); ++it)
        if ((*it)->window == window && !(*it)->ended) return *it;
    return nullptr;
}

void endRun(Run& run, int code) {
    if (run.ended) return;
    run.ended = true;
    run.code = code;
    if (run.loop) run.loop->exit(code);
}

QString windowName(const QWidget& window) {
    QString name = window.objectName();
    if (name.isEmpty()) name = QString::fromLatin1(window.metaObject()->className());
    return name;
}

void saveWindowImage(QWidget& window) {
    ImageFolder& f = imageFolder();
    if (f.folder.isEmpty()) return;
    QDir().mkpath(f.folder);
    const QString name = windowName(window);
    int n = ++f.seen[name];
    QString file = f.folder + QLatin1Char('/') + name;
    if (n > 1) file += QLatin1Char('-') + QString::number(n);
    QCoreApplication::sendPostedEvents();   // pending layout and scroll-bar updates
    window.grab().save(file + QStringLiteral(".png"), "PNG");
}

// A window hidden behind the loop's back (not through stopModal) would leave the run
// waiting for ever. Dialogs hide before they report their result (QDialog::done), so
// the check waits one turn of the event loop before it ends the run as closed.
class HideWatcher : public QObject {
public:
    explicit HideWatcher(std::shared_ptr<Run> run) : run_(std::move(run)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && watched == run_->window && !run_->ended) {
            std::weak_ptr<Run> weak = run_;
            QTimer::singleShot(0, [weak] {
                if (auto run = weak.lock())
                    if (run->window && !run->window->isVisible()) endRun(*run, kModalClosedCode);
            });
        }
        return false;
    }

private:
    std::shared_ptr<Run> run_;
};

void takeClosePath(Run& run) {
    if (auto* dialog = qobject_cast<QDialog*>(run.window.data()))
        dialog->reject();
    else if (run.window)
        run.window->close();
    if (!run.ended) {
        if (run.window) run.window->hide();
        endRun(run, kModalClosedCode);
    }
}

}  // namespace

int runModal(QWidget* window) {
    if (!window) return kModalClosedCode;
    if (findRun(window)) {
        if (failureHandler())
            failureHandler()("window \"" + windowName(*window).toStdString() + "\" was run while already running");
        return kModalClosedCode;
    }

    auto run = std::make_shared<Run>();
    run->window = window;
    runs().push_back(run);

    QMetaObject::Connection finished;
    if (auto* dialog = qobject_cast<QDialog*>(window))
        finished = QObject::connect(dialog, &QDialog::finished, dialog, [dialog](int r) { stopModal(dialog, r); });
    std::weak_ptr<Run> weak = run;
    QMetaObject::Connection destroyed = QObject::connect(window, &QObject::destroyed, [weak] {
        if (auto r = weak.lock()) endRun(*r, kModalClosedCode);
    });
    HideWatcher watcher(run);
    window->installEventFilter(&watcher);

    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) window->raise();
    window->activateWindow();
    saveWindowImage(*window);

    const std::string name = windowName(*window).toStdString();
    if (ModalResponder answer = responder()) {
        answer(*window);
        if (!run->ended && failureHandler()) {
            failureHandler()("the responder left window \"" + name + "\" running");
            takeClosePath(*run);
        }
    } else if (failureHandler()) {
        failureHandler()("window \"" + name + "\" was opened with no responder installed");
        takeClosePath(*run);
    }

    if (!run->ended) {
        QEventLoop loop;
        run->loop = &loop;
        loop.exec(QEventLoop::DialogExec);
        run->loop = nullptr;
    }

    QObject::disconnect(destroyed);
    if (finished) QObject::disconnect(finished);
    if (run->window) {
        run->window->removeEventFilter(&watcher);
        run->window->hide();
    }
    auto& all = runs();
    all.erase(std::remove(all.begin(), all.end(), run), all.end());
    return run->code;
}

int runModalExec(QDialog* dialog) {
    if (!dialog) return QDialog::Rejected;
    // The responder gets the dialog once exec() has shown it and its loop is running.
    QTimer::singleShot(0, dialog, [dialog] {
        saveWindowImage(*dialog);
        const std::string name = windowName(*dialog).toStdString();
        if (ModalResponder answer = responder()) {
            answer(*dialog);
            if (dialog->isVisible() && failureHandler()) {
                failureHandler()("the responder left window \"" + name + "\" running");
                dialog->reject();
            }
        } else if (failureHandler()) {
            failureHandler()("window \"" + name + "\" was opened with no responder installed");
            dialog->reject();
        }
    });
    dialog->setWindowModality(Qt::ApplicationModal);
    return dialog->exec();
}

void stopModal(QWidget* window, int code) {
    auto run = findRun(window);
    if (!run) return;
    endRun(*run, code);
    if (window->isVisible()) window->hide();
}

bool isRunningModal(const QWidget* window) { return findRun(window) != nullptr; }

void setModalResponder(ModalResponder r) { responder() = std::move(r); }

ScopedModalResponder::ScopedModalResponder(ModalResponder r) : previous_(responder()) {
    responder() = std::move(r);
}

ScopedModalResponder::~ScopedModalResponder() { responder() = std::move(previous_); }

void setModalFailureHandler(std::function<void(const std::string&)> handler) {
    failureHandler() = std::move(handler);
}

void setWindowImageFolder(const QString& folder) {
    ImageFolder& f = imageFolder();
    if (f.folder != folder) f.seen.clear();
    f.folder = folder;
}
