# Names outside ASCII through NEW TOOL, EXPORT, the tool library (list, show,
# script, remove), its Edit, the duplicate notice and the history file:
# usrprobe.dat holds them in Windows-1252, the history file in UTF-8, and a
# character outside Windows-1252 is refused at NEW TOOL.
set -u
replay=$1 library=$2
step() { echo "== $(basename "$1") ${*:2}"; "$@"; echo "status $?"; }
step "$replay" --dir run build.txt
step "$library" --dir run list
step "$library" --dir run show Müller
step "$library" --dir run script €5
mkdir again && "$library" --dir run script €5 >again.txt && "$replay" --dir again --decimal-separator . again.txt
cmp -s again/usrprobe.dat <("$library" --dir run show €5) && echo "the script rebuilds €5 byte for byte"
step "$replay" --dir run --edit Müller edit.txt
step "$replay" --dir run unfinished.txt
step "$replay" --dir run reopen.txt
step "$library" --dir run remove €5
step "$library" --dir run list
