#!/usr/bin/env bash
# mkfloppy.sh DISK_DIR IMAGE [LABEL]: writes a 1.44 MB FAT12 floppy image of a
# distribution disk laid out by mkdisk: SETUP.EXE, the files of the file
# table and their list of sums, under their 8.3 names in upper case, with a
# volume label. Made with
# Debian's mtools. A disk whose files do not fit is refused, with the sizes.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: mkfloppy.sh DISK_DIR IMAGE [LABEL]" >&2; exit 2; }
disk=$1 image=$2 label=${3:-ORBWEAVE}
mkdisk=${MKDISK:-$(dirname "$0")/../../build/host/mkdisk}
names=(setup.exe $("$mkdisk" --names))
# The list of what each file expands to, where mkdisk wrote one.
[ -f "$disk/filesums.txt" ] && names+=(filesums.txt)

# 2,880 sectors of 512 bytes: 1 boot sector, two FATs of 9, a root directory of
# 14 (224 entries); what is left holds files, a whole sector per started one.
capacity=$(( (2880 - 1 - 2 * 9 - 14) * 512 ))
need=0
for name in "${names[@]}"; do
    [ -f "$disk/$name" ] || { echo "mkfloppy: $disk/$name: no such file" >&2; exit 1; }
    size=$(stat -c %s "$disk/$name")
    need=$(( need + (size + 511) / 512 * 512 ))
done
if [ $need -gt $capacity ]; then
    echo "mkfloppy: the ${#names[@]} files take $need bytes on a floppy, which holds $capacity:" \
         "$(( need - capacity )) bytes too many" >&2
    exit 1
fi

rm -f "$image"
# The same disk gives the same image: a fixed serial number, the files' own
# dates (in two-second steps, as FAT keeps them), and the label dated
# SOURCE_DATE_EPOCH, else as setup.exe. FAT dates are local: UTC here.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(stat -c %Y "$disk/setup.exe")} TZ=UTC
mformat -i "$image" -C -f 1440 -v "$label" -N 0B3A1996 ::
for name in "${names[@]}"; do
    mcopy -i "$image" -m "$disk/$name" "::/${name^^}"
done
touch -d "@$SOURCE_DATE_EPOCH" "$image"
echo "mkfloppy: $image: ${#names[@]} files, $need of $capacity bytes, label $label"
