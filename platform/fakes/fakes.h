#pragma once

// Test doubles of the platform services. Each records what it was asked and
// answers from what the test set up beforehand.

#include "core/vberror.h"
#include "platform/services.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>

#include <deque>
#include <optional>

namespace veltrano {

class FakeMessageBox : public MessageBoxService {
public:
    using MessageBoxService::show;
    msgbox::Answer show(const MessageBoxRequest& request) override {
        shown.append(request);
        if (answers.empty())
            return defaultAnswer;
        const msgbox::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QList<MessageBoxRequest> shown;
    std::deque<msgbox::Answer> answers; // returned in order, then defaultAnswer
    msgbox::Answer defaultAnswer = msgbox::Answer::Ok;
};

class FakeSettingsStore : public SettingsStore {
public:
    QString read(const QString& key, const QString& defaultValue) override {
        reads.append(key);
        return values.contains(key) ? values.value(key) : defaultValue;
    }
    void write(const QString& key, const QString& value) override {
        writes.append(key);
        values.insert(key, value);
    }
    bool flush() override {
        ++flushes;
        return flushResult;
    }
    QMap<QString, QString> values;
    QStringList reads;
    QStringList writes;
    int flushes = 0;
    bool flushResult = true;
};

class FakeClipboard : public Clipboard {
public:
    void clear() override {
        ++clears;
        text.clear();
        holdsText = false;
    }
    void setText(const QString& t) override {
        text = t;
        holdsText = true;
    }
    QString readText() const override {
        ++reads;
        return holdsText ? text : QString();
    }
    QString text;
    bool holdsText = false;
    int clears = 0;
    mutable int reads = 0;
};

class FakeFileDialogs : public FileDialogs {
public:
    std::optional<FileDialogResult> open(const FileDialogRequest& request) override {
        openRequests.append(request);
        return next(openAnswers);
    }
    std::optional<FileDialogResult> save(const FileDialogRequest& request) override {
        saveRequests.append(request);
        return next(saveAnswers);
    }
    QList<FileDialogRequest> openRequests;
    QList<FileDialogRequest> saveRequests;
    // std::nullopt stands for a cancel; an empty queue cancels too.
    std::deque<std::optional<FileDialogResult>> openAnswers;
    std::deque<std::optional<FileDialogResult>> saveAnswers;

private:
    static std::optional<FileDialogResult> next(std::deque<std::optional<FileDialogResult>>& q) {
        std::optional<FileDialogResult> answer;
        if (!q.empty()) {
            answer.swap(q.front());
            q.pop_front();
        }
        return answer;
    }
};

// An in-memory file system. A path in failWrites / failReads throws the
// given error number instead of writing / reading; a path in notFiles names
// something no write replaces (a pipe, a folder) and is refused with 75.
class FakeFileSystem : public FileSystem {
public:
    QByteArray read(const QString& path, qint64 maxBytes) override {
        if (failReads.contains(path))
            throw vb::Error(failReads.value(path));
        if (!files.contains(path))
            throw vb::Error(vb::FileNotFound);
        return files.value(path).left(maxBytes);
    }
    void writeAtomically(const QString& path, const QByteArray& bytes) override {
        replacesFile(path);
        if (failWrites.contains(path))
            throw vb::Error(failWrites.value(path));
        files.insert(path, bytes);
        ++writeCount;
    }
    void writeFileOrStream(const QString& path, const QByteArray& bytes) override {
        writeAtomically(path, bytes);
    }
    bool replacesFile(const QString& path) override {
        if (notFiles.contains(path))
            throw vb::Error(vb::PathFileAccessError);
        return files.contains(path);
    }
    bool sameEntry(const QString& a, const QString& b) override { return a == b; }
    bool dirExists(const QString& path) override { return dirs.contains(path); }
    bool makePath(const QString& path) override {
        if (failMakePath.contains(path))
            return false;
        dirs.insert(path);
        return true;
    }
    QMap<QString, QByteArray> files;
    QSet<QString> dirs;
    QMap<QString, int> failWrites;
    QMap<QString, int> failReads;
    QSet<QString> notFiles;
    QSet<QString> failMakePath;
    int writeCount = 0;
};

class FakeShell : public Shell {
public:
    bool open(const QString& address) override {
        opened.append(address);
        return result;
    }
    QStringList opened;
    bool result = true;
};

class FakeAppFacts : public AppFacts {
public:
    QString ownFolder() const override { return folder; }
    QString title() const override { return appTitle; }
    int versionMajor() const override { return major; }
    int versionMinor() const override { return minor; }
    int versionRevision() const override { return revision; }
    QString folder = QStringLiteral("/opt/veltrano/bin");
    QString appTitle = QStringLiteral("Veltrano");
    int major = 1;
    int minor = 0;
    int revision = 0;
};

class FakeSpecialFolders : public SpecialFolders {
public:
    QString path(int folder) const override { return folders.value(folder); }
    QMap<int, QString> folders{{5, QStringLiteral("/home/user/Dokumente")},
                               {46, QStringLiteral("/home/user/Öffentlich")}};
};

// All fakes together, with the Services bundle that points at them.
struct FakeServices {
    FakeMessageBox messageBox;
    FakeSettingsStore settings;
    FakeClipboard clipboard;
    FakeFileDialogs fileDialogs;
    FakeFileSystem fileSystem;
    FakeShell shell;
    FakeAppFacts appFacts;
    FakeSpecialFolders specialFolders;
    Session session;
    AppSettings appSettings{settings};
    Services services{messageBox, appSettings, clipboard,      fileDialogs, fileSystem,
                      shell,      appFacts,    specialFolders, session};
};

} // namespace veltrano
