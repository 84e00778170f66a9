# Reads CHANGELOG.md and prints, by `what`:
#   newest    the newest release's version and date ("1.2.3 2026-12-08")
#   metainfo  one AppStream <release> line per release, newest first
#   debian    the Debian changelog of every release (needs `package` and
#             `maintainer`); list items become "  * " entries, their wrapped
#             lines stay wrapped
# The [Unreleased] section is no release and is left out.
function weekday(y, m, d,    t) {  # 0 = Sunday
    split("0 3 2 5 0 3 5 1 4 6 2 4", t, " ")
    if (m < 3) y -= 1
    return (y + int(y / 4) - int(y / 100) + int(y / 400) + t[m] + d) % 7
}
function rfc2822(date,    p, days, months) {
    split(date, p, "-")
    split("Sun Mon Tue Wed Thu Fri Sat", days, " ")
    split("Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec", months, " ")
    return sprintf("%s, %s %s %s 00:00:00 +0000", days[weekday(p[1] + 0, p[2] + 0, p[3] + 0) + 1],
                   p[3], months[p[2] + 0], p[1])
}
function close_entry() {
    if (version != "" && what == "debian") printf "\n -- %s  %s\n", maintainer, rfc2822(date)
    version = ""
}
/^## \[/ {
    close_entry()
    heading = $0
    sub(/^## \[/, "", heading)
    v = heading
    sub(/\].*/, "", v)
    if (v == "Unreleased") next
    date = heading
    sub(/^[^]]*\] - /, "", date)
    if (date !~ /^[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$/) {
        print "CHANGELOG.md: release " v " has no date (## [" v "] - YYYY-MM-DD)" > "/dev/stderr"
        exit 1
    }
    version = v
    releases += 1
    if (what == "newest" && releases == 1) print version " " date
    if (what == "metainfo") printf "    <release version=\"%s\" date=\"%s\"/>\n", version, date
    if (what == "debian") {
        if (releases > 1) print ""
        printf "%s (%s) unstable; urgency=medium\n\n", package, version
    }
    next
}
/^## / { close_entry(); next }
version == "" || what != "debian" { next }
/^- / { print "  * " substr($0, 3); next }
/^  [^ ]/ { print "    " substr($0, 3); next }
END { close_entry() }
