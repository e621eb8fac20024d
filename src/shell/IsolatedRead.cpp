// Running a reading in a forked child and collecting its answer through a pipe.
#include "shell/IsolatedRead.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QEventLoop>
#include <QProgressDialog>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstring>


namespace {

constexpr int kBoxDelayMs = 400;

void WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ::_exit(3);
        }
        done += static_cast<size_t>(n);
    }
}

[[noreturn]] void RunChild(int fd, const std::function<std::string()>& work) {
    std::string output;
    try {
        output = work();
    } catch (...) {
        ::_exit(2);
    }
    WriteAll(fd, output);
    ::_exit(0);
}

// Drains what the pipe holds now; false at its end.
bool Drain(int fd, std::string& output) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            output.append(buffer, static_cast<size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return n < 0 && errno == EAGAIN;
        }
    }
}

}  // namespace

bool CIsolatedRead::Run(QWidget* parent, const QString& what, const std::function<std::string()>& work,
                        std::string& output, std::string& error) {
    output.clear();
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        error = std::string("cannot start the reader: ") + std::strerror(errno);
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        error = std::string("cannot start the reader: ") + std::strerror(errno);
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (child == 0) {
        // A reader left running must not outlive the editor.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        ::close(fds[0]);
        RunChild(fds[1], work);
    }
    ::close(fds[1]);
    ::fcntl(fds[0], F_SETFL, ::fcntl(fds[0], F_GETFL) | O_NONBLOCK);

    QEventLoop loop;
    QSocketNotifier notifier(fds[0], QSocketNotifier::Read);
    bool open = Drain(fds[0], output);
    QObject::connect(&notifier, &QSocketNotifier::activated, &loop, [&] {
        open = Drain(fds[0], output);
        if (!open) {
            loop.quit();
        }
    });
    QProgressDialog box(QStringLiteral("Reading %1 ...").arg(what), QStringLiteral("Cancel"), 0, 0, parent);
    box.setWindowTitle(QStringLiteral("Reading"));
    box.setWindowModality(Qt::WindowModal);
    box.setMinimumDuration(kBoxDelayMs);
    // Shown by a timer of its own: the box's estimate needs progress, which a reading has none of.
    QTimer::singleShot(kBoxDelayMs, &box, [&box] { box.show(); });
    bool cancelled = false;
    QObject::connect(&box, &QProgressDialog::canceled, &loop, [&] {
        cancelled = true;
        ::kill(child, SIGKILL);
        loop.quit();
    });
    if (open) {
        box.setValue(0);
        loop.exec();
    }
    notifier.setEnabled(false);
    box.reset();
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (cancelled) {
        error = "reading was cancelled";
        return false;
    }
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        error = "the reader stopped on this file (" + std::string(::strsignal(signal)) + ")";
        return false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = "the reader stopped on this file (exit " + std::to_string(WEXITSTATUS(status)) + ")";
        return false;
    }
    return true;
}
