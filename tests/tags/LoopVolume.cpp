#include "LoopVolume.h"
#include "ShellCommand.h"
#include "Unprivileged.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace {

constexpr std::uintmax_t kImageSize = 8 * 1024 * 1024;

std::string TypeOf(LoopVolume::Kind kind) {
    switch (kind) {
    case LoopVolume::Kind::Fat:
        return "vfat";
    case LoopVolume::Kind::ExFat:
        return "exfat";
    case LoopVolume::Kind::Ext4:
        break;
    }
    return "ext4";
}

} // namespace

LoopVolume::LoopVolume(Kind kind) : m_kind(kind) {
    std::filesystem::create_directory(m_mountPoint);
}

LoopVolume::~LoopVolume() {
    if (m_mounted && !Unmount())
        RunCommand("umount -l " + ShellQuoted(m_mountPoint) + " 2>&1");
    if (!m_loopDevice.empty())
        RunCommand("losetup -d " + ShellQuoted(m_loopDevice) + " 2>&1");
}

bool LoopVolume::Run(const std::string& command, const std::string& what) {
    const CommandResult result = RunCommand(command + " 2>&1");
    if (result.status == 0)
        return true;
    m_problem = what + ": " + result.out;
    return false;
}

bool LoopVolume::Make() {
    std::ofstream(m_image, std::ios::binary).close();
    std::filesystem::resize_file(m_image, kImageSize);
    const std::string type = TypeOf(m_kind);
    const std::string options = m_kind == Kind::Ext4 ? "-q -F " : "";
    m_made = Run("mkfs." + type + " " + options + ShellQuoted(m_image),
                 "no " + type + " file system made");
    return m_made;
}

bool LoopVolume::MountInUserSpace(const std::string& kernelProblem) {
    const CommandResult attached = RunCommand("losetup -f --show " + ShellQuoted(m_image));
    if (attached.status != 0) {
        m_problem = kernelProblem + "; and no free loop device for exfat-fuse";
        return false;
    }
    m_loopDevice = attached.out.substr(0, attached.out.find('\n'));
    // Its greeting would go to the test's log; a failure shows in the exit status.
    return Run("mount.exfat-fuse " + ShellQuoted(m_loopDevice) + " " + ShellQuoted(m_mountPoint) +
                   " >/dev/null",
               kernelProblem + "; and no exfat-fuse mount");
}

bool LoopVolume::Mount() {
    if (!Unprivileged::TestsRunAsRoot()) {
        m_problem = "mounting a disk needs root";
        return false;
    }
    if (!m_made && !Make())
        return false;
    m_mounted = Run("mount -o loop -t " + TypeOf(m_kind) + " " + ShellQuoted(m_image) + " " +
                        ShellQuoted(m_mountPoint),
                    "no loop mount");
    if (!m_mounted && m_kind == Kind::ExFat)
        m_mounted = MountInUserSpace(m_problem);
    return m_mounted;
}

bool LoopVolume::Unmount() {
    m_mounted = !Run("umount " + ShellQuoted(m_mountPoint), "not unmounted");
    if (!m_mounted && !m_loopDevice.empty() &&
        Run("losetup -d " + ShellQuoted(m_loopDevice), "loop device kept"))
        m_loopDevice.clear();
    return !m_mounted && m_loopDevice.empty();
}
