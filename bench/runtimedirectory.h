#pragma once

#include <QTemporaryDir>

#include <memory>

// xvfb-run leaves the runtime directory unset, which Qt warns of in the middle of the figures:
// a private one for this run and the processes it starts, unless one is set. (Those processes
// find it set, and make none: they may end without cleaning up.)
class RuntimeDirectory
{
public:
    RuntimeDirectory()
    {
        if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
            return;
        m_directory = std::make_unique<QTemporaryDir>();
        qputenv("XDG_RUNTIME_DIR", m_directory->path().toLocal8Bit());
    }

private:
    std::unique_ptr<QTemporaryDir> m_directory;
};
