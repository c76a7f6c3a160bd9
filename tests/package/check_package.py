#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks what the build installs and packages, each check a test of its own:

  install        `cmake --install` into a temporary prefix puts exactly the expected files
                 there; the programs run from it; each PNG icon has the size of its folder
  desktop-entry  the installed desktop entry passes desktop-file-validate, and its program
                 and actions name an installed program and options that program accepts
  metainfo       the installed metainfo passes `appstreamcli validate --no-net`; its newest
                 release is the project's version; it launches the installed entry; its
                 screenshot is a file of the repository
  man-pages      each installed manual page renders without a warning and names every
                 command and option its program's --help lists
  deb            `cpack -G DEB` makes one package whose contents (`dpkg-deb -c`) are the
                 expected files under /usr, owned by root, with the libraries the programs
                 link, the SVG icon engine and the fonts among its dependencies

Usage: check_package.py CHECK BUILD_DIR SOURCE_DIR VERSION CMAKE CPACK
"""
import gzip
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

APP_ID = "io.github.moonleaf.Moonleaf"
HERE = os.path.dirname(os.path.abspath(__file__))

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def tool(name):
    path = shutil.which(name)
    if path is None:
        sys.exit(f"{name} is not installed: run scripts/install-deps.sh")
    return path


def run(args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, **kwargs)


def expected_files():
    with open(os.path.join(HERE, "installed-files.txt"), encoding="utf-8") as f:
        return sorted(line.strip() for line in f if line.strip() and not line.startswith("#"))


def files_under(root):
    found = []
    for folder, _, names in os.walk(root):
        for name in names:
            found.append(os.path.relpath(os.path.join(folder, name), root))
    return sorted(found)


def install(cmake, build, prefix):
    result = run([cmake, "--install", build, "--prefix", prefix])
    if result.returncode != 0:
        sys.exit(f"cmake --install failed:\n{result.stdout}{result.stderr}")


def compare_lists(found, expected, where):
    for path in sorted(set(expected) - set(found)):
        failures.append(f"{where}: missing {path}")
    for path in sorted(set(found) - set(expected)):
        failures.append(f"{where}: not expected {path}")


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])


def help_options(program, *args):
    """The option names (-x, --long) that `program args --help` lists."""
    text = run([program, *args, "--help"]).stdout
    names = set()
    for line in text.splitlines():
        match = re.match(r"^\s+(-[^\s]+)", line)
        if match:
            names.update(n for n in match.group(1).split(",") if n.startswith("-"))
    return names, text


def help_commands(program):
    """The subcommands `program --help` lists: the indented lines after "Subcommands:"."""
    text = run([program, "--help"]).stdout
    _, _, listing = text.partition("\nSubcommands:\n")
    commands = []
    for line in listing.splitlines():
        if not re.match(r"^\s+[a-z]", line):
            break
        commands.append(line.split()[0])
    return commands


def desktop_groups(path):
    groups = {}
    current = None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("[") and line.endswith("]"):
                current = groups.setdefault(line[1:-1], {})
            elif current is not None and "=" in line and not line.startswith("#"):
                key, value = line.split("=", 1)
                current[key.strip()] = value.strip()
    return groups


# --- the checks --------------------------------------------------------------------------

def check_install(build, source, version, cmake, cpack, prefix):
    install(cmake, build, prefix)
    compare_lists(files_under(prefix), expected_files(), "install tree")
    for program in ("moonleaf", "moonleaf-cli"):
        path = os.path.join(prefix, "bin", program)
        if not os.path.exists(path):
            continue
        check(os.access(path, os.X_OK), f"bin/{program} is not executable")
        result = run([path, "--version"])
        check(result.returncode == 0 and result.stdout == f"{program} {version}\n",
              f"bin/{program} --version printed {result.stdout!r} (exit {result.returncode})")
    icons = os.path.join(prefix, "share", "icons", "hicolor")
    for folder in sorted(os.listdir(icons)) if os.path.isdir(icons) else []:
        match = re.fullmatch(r"(\d+)x(\d+)", folder)
        if not match:
            continue
        path = os.path.join(icons, folder, "apps", APP_ID + ".png")
        size = png_size(path) if os.path.exists(path) else None
        check(size == (int(match.group(1)), int(match.group(2))),
              f"icon in {folder} is {size}, not {folder}")


def check_desktop_entry(build, source, version, cmake, cpack, prefix):
    validate = tool("desktop-file-validate")
    install(cmake, build, prefix)
    entry = os.path.join(prefix, "share", "applications", APP_ID + ".desktop")
    result = run([validate, entry])
    output = result.stdout + result.stderr
    print(f"desktop-file-validate {os.path.basename(entry)}: exit {result.returncode}")
    print(output, end="")
    check(result.returncode == 0, f"desktop-file-validate failed:\n{output}")
    # Hints count too: a hint such as a missing main category hides the entry in a
    # catch-all corner of the applications menu.
    check(output == "", f"desktop-file-validate reports:\n{output}")

    groups = desktop_groups(entry)
    main = groups.get("Desktop Entry", {})
    programs = os.path.join(prefix, "bin")
    options, _ = help_options(os.path.join(programs, "moonleaf"))
    check(main.get("Exec") == "moonleaf", f"Exec is {main.get('Exec')!r}")
    check(main.get("Icon") == APP_ID, f"Icon is {main.get('Icon')!r}")
    actions = [a for a in main.get("Actions", "").split(";") if a]
    check(actions == ["Show", "Hide", "Quit"], f"Actions are {actions}")
    for action in actions:
        group = groups.get(f"Desktop Action {action}", {})
        words = group.get("Exec", "").split()
        check(len(words) == 2 and words[0] == "moonleaf" and words[1] in options,
              f"action {action} runs {group.get('Exec')!r}, which moonleaf does not accept")
        check(bool(group.get("Name[vi]")), f"action {action} has no Vietnamese name")
    icon = os.path.join(prefix, "share", "icons", "hicolor", "scalable", "apps", APP_ID + ".svg")
    check(os.path.exists(icon), "the entry's icon is not installed in the hicolor theme")


def check_metainfo(build, source, version, cmake, cpack, prefix):
    appstreamcli = tool("appstreamcli")
    install(cmake, build, prefix)
    metainfo = os.path.join(prefix, "share", "metainfo", APP_ID + ".metainfo.xml")
    result = run([appstreamcli, "validate", "--no-net", "--pedantic", metainfo])
    output = result.stdout + result.stderr
    print(f"appstreamcli validate --no-net --pedantic: exit {result.returncode}")
    print(output, end="")
    check(result.returncode == 0, f"appstreamcli validate failed:\n{output}")
    # Errors, warnings and infos (an unknown tag, say) fail. Of the pedantic notes only one
    # is expected: the reverse-DNS id keeps the application's capital letter, as the desktop
    # entry's file name does.
    for line in output.splitlines():
        if re.match(r"^[EWIP]: ", line):
            check(line.startswith("P: ") and "cid-contains-uppercase-letter" in line,
                  f"appstreamcli reports: {line}")

    root = ET.parse(metainfo).getroot()
    check(root.findtext("id") == APP_ID, f"id is {root.findtext('id')!r}")
    releases = root.findall("releases/release")
    check(bool(releases) and releases[0].get("version") == version,
          f"the newest release is {releases[0].get('version') if releases else None}, "
          f"the project is {version}")
    launchable = root.findtext("launchable[@type='desktop-id']")
    check(launchable is not None and os.path.exists(
        os.path.join(prefix, "share", "applications", launchable)),
        f"the launchable {launchable!r} is not an installed desktop entry")
    for image in root.iter("image"):
        match = re.search(r"/main/(.+)$", image.text or "")
        check(match is not None and os.path.isfile(os.path.join(source, match.group(1))),
              f"screenshot {image.text!r} is not a file of the repository")


def man_text(path):
    """The roff source of a manual page as plain text: escapes and fonts taken out."""
    with gzip.open(path, "rt", encoding="utf-8") as f:
        text = f.read()
    text = re.sub(r"\\f[BIRP]|\\c|\\&", "", text)
    return text.replace("\\-", "-")


def check_man_pages(build, source, version, cmake, cpack, prefix):
    man = tool("man")
    install(cmake, build, prefix)
    pages = os.path.join(prefix, "share", "man", "man1")
    environment = dict(os.environ, LC_ALL="C.UTF-8", MANROFFSEQ="", MANWIDTH="80")
    for page in ("moonleaf.1.gz", "moonleaf-cli.1.gz"):
        path = os.path.join(pages, page)
        result = run([man, "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", path],
                     env=environment)
        check(result.returncode == 0 and result.stderr == "",
              f"{page} renders with warnings:\n{result.stderr}")
        check(re.search(rf'^\.TH \S+ 1 \S+ "Moonleaf {re.escape(version)}"', man_text(path),
                        re.M) is not None, f"{page} does not carry version {version}")

    programs = os.path.join(prefix, "bin")
    desktop = man_text(os.path.join(pages, "moonleaf.1.gz"))
    options, _ = help_options(os.path.join(programs, "moonleaf"))
    for option in sorted(options):
        check(re.search(rf"(?<![\w-]){re.escape(option)}(?![\w-])", desktop) is not None,
              f"moonleaf.1 does not mention {option}")

    cli = os.path.join(programs, "moonleaf-cli")
    page = man_text(os.path.join(pages, "moonleaf-cli.1.gz"))
    commands = help_commands(cli)
    check(len(commands) >= 6, f"moonleaf-cli --help lists only {commands}")
    for command in commands:
        check(re.search(rf"^\.B[IR]? \"?{command}\b", page, re.M) is not None,
              f"moonleaf-cli.1 has no paragraph for the command {command}")
        command_options, _ = help_options(cli, command)
        for option in sorted(command_options):
            check(re.search(rf"(?<![\w-]){re.escape(option)}(?![\w-])", page) is not None,
                  f"moonleaf-cli.1 does not mention {option} of {command}")
    top_options, _ = help_options(cli)
    for option in sorted(top_options):
        check(re.search(rf"(?<![\w-]){re.escape(option)}(?![\w-])", page) is not None,
              f"moonleaf-cli.1 does not mention {option}")


def check_deb(build, source, version, cmake, cpack, work):
    dpkg_deb = tool("dpkg-deb")
    architecture = run([tool("dpkg"), "--print-architecture"]).stdout.strip()
    result = run([cpack, "--config", os.path.join(build, "CPackConfig.cmake"), "-G", "DEB",
                  "-B", work])
    if result.returncode != 0:
        sys.exit(f"cpack failed:\n{result.stdout}{result.stderr}")
    packages = sorted(n for n in os.listdir(work) if n.endswith(".deb"))
    check(packages == [f"moonleaf_{version}_{architecture}.deb"], f"cpack made {packages}")
    if not packages:
        return
    package = os.path.join(work, packages[0])

    listing = run([dpkg_deb, "-c", package]).stdout
    print(f"dpkg-deb -c {packages[0]}:")
    print(listing, end="")
    files = []
    for line in listing.splitlines():
        fields = line.split()
        mode, owner, path = fields[0], fields[1], fields[5]
        check(owner == "root/root", f"{path} is owned by {owner}")
        if mode.startswith("d"):
            check(mode == "drwxr-xr-x", f"folder {path} has mode {mode}")
            continue
        name = path.removeprefix("./usr/")
        files.append(name)
        wanted = "-rwxr-xr-x" if name.startswith("bin/") else "-rw-r--r--"
        check(mode == wanted, f"{path} has mode {mode}, not {wanted}")
    compare_lists(files, expected_files(), "package under /usr")
    check(all(line.split()[5].startswith("./usr/") for line in listing.splitlines()
              if line.split()[5] != "./"), "the package installs outside /usr")

    fields = {}
    for name in ("Package", "Version", "Architecture", "Section", "Maintainer", "Depends"):
        fields[name] = run([dpkg_deb, "-f", package, name]).stdout.strip()
    print("\n".join(f"{k}: {v}" for k, v in fields.items()))
    check(fields["Package"] == "moonleaf", f"Package is {fields['Package']!r}")
    check(fields["Version"] == version, f"Version is {fields['Version']!r}")
    check(fields["Architecture"] == architecture, f"Architecture is {fields['Architecture']!r}")
    # The extended description keeps its two paragraphs, the empty line between them
    # written " ." as the control file format wants, its lines under 80 columns, and no
    # list separator leaks into it.
    description = run([dpkg_deb, "-f", package, "Description"]).stdout.rstrip("\n")
    extended = description.split("\n")[1:]
    check(extended.count(" .") == 1 and all(line.startswith(" ") and ";" not in line and
                                              len(line) < 80 for line in extended),
          f"the Description is malformed:\n{description}")
    depends = {d.split()[0] for d in fields["Depends"].split(", ") if d}
    for needed in ("libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6",
                   "libqt6svg6", "libxcb1", "fonts-dejavu-core", "fonts-dejavu-extra"):
        check(needed in depends, f"Depends lacks {needed}: {fields['Depends']}")
    # The single-instance socket is served on plain sockets: Qt Network, and the Kerberos
    # and proxy libraries it brings, would only slow the calendar's start.
    check("libqt6network6" not in depends, f"Depends names libqt6network6: {fields['Depends']}")


CHECKS = {
    "install": check_install,
    "desktop-entry": check_desktop_entry,
    "metainfo": check_metainfo,
    "man-pages": check_man_pages,
    "deb": check_deb,
}


def main():
    if len(sys.argv) != 7 or sys.argv[1] not in CHECKS:
        sys.exit(__doc__)
    name, build, source, version, cmake, cpack = sys.argv[1:]
    with tempfile.TemporaryDirectory(prefix=f"moonleaf-{name}-") as work:
        CHECKS[name](build, source, version, cmake, cpack, work)
    for failure in failures:
        print(f"FAIL: {failure}", file=sys.stderr)
    if failures:
        sys.exit(1)
    print(f"{name}: all checks passed")


if __name__ == "__main__":
    main()
