#!/usr/bin/env bash
# Keeps the layers honest by their #include lines (dependencies point one way:
# demo -> app -> platform -> dib; demo and app -> plot):
#   outfile/   only outfile/, the standard library and the system's file
#              calls (POSIX, or Windows)
#   utf8/      only utf8/ and the standard library (shared by plot/ and
#              platform/, header only)
#   plot/      only plot/, outfile/, utf8/ and the standard library
#   plotpng/   only plot/, plotpng/, outfile/, the standard library and its
#              encoder's library (libpng, or on Windows the imaging component)
#   dib/       nothing of the project outside dib/ and outfile/, and the
#              standard library
#   platform/  nothing of app/, demo/, plot/ or res/
#   platform/<backend>/  (sdl, headless, web, win32, ...) leaves: of platform/
#              only the backend interface and the small shared headers beside
#              it, and its own directory; never the core
#   app/       nothing of demo/, except the program's entries that join shell
#              and demonstration: app/main.cpp (desktop), app/web_main.cpp (web)
# Argument: SOURCE_DIR.  Prints every offending line; fails if there is one.
set -u
src=${1:?usage: layers.sh SOURCE_DIR}
cd "$src" || exit 2
status=0

# Lines "file:line:#include X" of the sources under $1.
includes() { grep -rnE '^[[:space:]]*#[[:space:]]*include' "$1" --include='*.h' --include='*.cpp'; }

offend() {
    echo "layer check: $1: $2"
    status=1
}

# A standard header: <name> without a directory or an extension (C++ and
# the C headers in their <cname> form).
only_project_and_std() {
    local dir=$1 pattern=$2 library=${3:-}
    while IFS= read -r line; do
        local header=${line#*include}
        header=${header//[[:space:]]/}
        case $header in
            \"*) [[ $header =~ ^\"$pattern ]] || offend "$dir may include only $pattern and the standard library" "$line" ;;
            \<*) [[ $header =~ ^\<[a-z_]+\>$ || ( -n $library && $header =~ ^\<($library)\>$ ) ]] || offend "$dir may include only $pattern and the standard library" "$line" ;;
            *) offend "unreadable include" "$line" ;;
        esac
    done < <(includes "$dir")
}

none_of() {
    local dir=$1 forbidden=$2 except=${3:-}
    while IFS= read -r line; do
        [[ " $except " == *" ${line%%:*} "* ]] && continue
        offend "$dir must not include $forbidden" "$line"
    done < <(includes "$dir" | grep -E "\"($forbidden)/")
}

only_project_and_std outfile "outfile/" 'fcntl\.h|unistd\.h|sys/stat\.h|io\.h|share\.h|windows\.h'
only_project_and_std utf8 "utf8/"
only_project_and_std plot "(plot|outfile|utf8)/"
only_project_and_std plotpng "(plot|plotpng|outfile)/" 'png\.h|windows\.h|objidl\.h|wincodec\.h'
only_project_and_std dib "(dib|outfile)/"
none_of platform "app|demo|plot|res"
none_of app "demo" "app/main.cpp app/web_main.cpp"

# What a backend may take from platform/ besides its own directory.
backend_kit="backend.h backend_defaults.h types.h press_counter.h scaled_view.h process_signals.h"
for backend in platform/*/; do
    backend=${backend%/}
    while IFS= read -r line; do
        header=${line#*\"platform/}
        header=${header%%\"*}
        [[ $header == "${backend#platform/}/"* || " $backend_kit " == *" $header "* ]] && continue
        offend "$backend is a backend: of platform/ it may include only $backend_kit and its own headers" "$line"
    done < <(includes "$backend" | grep -E '"platform/')
done

[[ $status == 0 ]] && echo "layer check: all includes point the right way"
exit $status
