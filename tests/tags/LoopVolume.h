#pragma once

#include "ScratchDir.h"

#include <string>

// A small disk in an image file, mounted on a scratch folder and taken away again as a USB stick
// is plugged in and pulled out. Mounting needs root and a loop device. An exFAT disk goes
// through the kernel's driver where it has one, else through exfat-fuse.
class LoopVolume {
public:
    enum class Kind { Fat, ExFat, Ext4 };

    explicit LoopVolume(Kind kind);
    // Takes the disk away if it is still there, whatever the test did.
    ~LoopVolume();
    LoopVolume(const LoopVolume&) = delete;
    LoopVolume& operator=(const LoopVolume&) = delete;

    // False when the disk cannot be made, mounted or taken away here; Problem() says why.
    bool Mount();
    bool Unmount();
    const std::string& Problem() const { return m_problem; }

    std::string File(const std::string& name) const { return m_mountPoint + "/" + name; }

private:
    bool Make();
    bool MountInUserSpace(const std::string& kernelProblem);
    bool Run(const std::string& command, const std::string& what);

    ScratchDir m_dir;
    std::string m_image = m_dir.File("disk.img");
    std::string m_mountPoint = m_dir.File("stick");
    Kind m_kind;
    bool m_made = false;
    bool m_mounted = false;
    std::string m_loopDevice; // set up by hand for a driver in user space
    std::string m_problem;
};
