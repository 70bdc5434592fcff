#!/bin/sh
# Makes the sample styles and their pictures in this folder. The results are
# kept in the repository; run this again after changing it.
#   styles/make-samples.sh
# Needs ImageMagick and the DejaVu fonts for the pictures.
set -eu
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Digits.bmp: the picture glyphs. The upper half holds the thirteen glyphs
# (0 to 9, colon, period, hyphen) in equal cells side by side, the lower half
# their masks (black opaque): gradient digits on a dark outline.
font=DejaVu-Serif-Bold-Italic
i=0
for c in 0 1 2 3 4 5 6 7 8 9 : . -; do
  n=$(printf %02d $i)
  convert -size 40x64 xc:white -font $font -pointsize 50 -fill black -gravity center -annotate +0+0 "$c" "$work/fill$n.png"
  convert -size 40x64 xc:white -font $font -pointsize 50 -fill black -stroke black -strokewidth 5 -gravity center \
          -annotate +0+0 "$c" "$work/outline$n.png"
  i=$((i + 1))
done
convert "$work"/fill*.png +append -negate "$work/inside.png"
convert "$work"/outline*.png +append "$work/mask.png"
convert -size 520x64 xc:'#3A1808' \( -size 520x64 gradient:'#FFF080'-'#FF5018' \) "$work/inside.png" -composite "$work/colour.png"
convert "$work/colour.png" "$work/mask.png" -append -type Palette -colors 256 BMP3:Digits.bmp

# Background.bmp: a night sky in the upper half; in the lower half its
# opacity (white opaque, black transparent): a rounded panel, its rim opaque.
convert -size 300x80 gradient:'#102048'-'#401850' -seed 7 \
        \( -size 300x80 xc:black +noise Random -channel G -threshold 99.3% -separate +channel \) \
        -compose lighten -composite "$work/sky.png"
convert -size 300x80 xc:black -fill '#B8B8B8' -stroke white -strokewidth 3 -draw "roundrectangle 2,2 297,77 18,18" \
        "$work/panel.png"
convert "$work/sky.png" "$work/panel.png" -append -type Palette -colors 256 BMP3:Background.bmp

# A style file as the program writes it: UTF-16 LE with a byte order mark,
# CRLF line ends. Fields not named keep their defaults.
style() {
  name=$1
  shift
  { printf '[General]\nVersion=TeamOrvaneTDialix2\n[Design]\n'; printf '%s\n' "$@"; } |
    sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE >"$work/body"
  { printf '\377\376'; cat "$work/body"; } >"$name.dlx"
}

# Picture glyphs, with seconds and a flashing colon.
style PictureDigits FontType=1 FontFile=Digits.bmp FontSize=12 FontSpacing=0,0 ShowSecond=1 \
  FlashColonType=3 FlashColonSmooth=1

# Font glyphs with both frames and a soft shadow.
style FramesAndShadow 'FontName=MS UI Gothic' FontStyle=1 FontSize=14 FontColor=4247807 \
  OuterFrame=3 OuterFrameColor=16777215 OuterFrameSoft=2 OuterFrameTransparent=70 \
  InnerFrame=5 InnerFrameColor=4202496 Shadow=4 ShadowColor=0 ShadowSoft=4 ShadowTransparent=60

# The turning family: digits roll over vertically, the colon fades in and out.
style Rolling 'FontName=MS Gothic' FontSize=11 FontColor=16775360 InnerFrame=4 InnerFrameColor=6307840 \
  ShowHour=2 Hour0=1 ShowSecond=1 AnimationType=2 AnimationSpeed=80 FlashColonType=2 FlashColonSmooth=1

# The sliding family: digits rise into place, over a translucent gradation.
style Sliding 'FontName=Meiryo UI' FontStyle=1 FontSize=10 FontColor=16777215 InnerFrame=3 InnerFrameColor=3158064 \
  BackGroundType=2 BackGroundGradColor1=10506272 BackGroundGradColor2=3153920 BackGroundGradType=1 \
  BackGroundAlpha=25 BorderWidth=12,6,12,6 ShowSecond=1 ColonType=1,1 AnimationType=3 AnimationSpeed=85

# The fading family: one digit fades into the next, in variable pitch.
style Fading 'FontName=MS PGothic' FontSize=12 FontPitch=1 FontColor=8454143 InnerFrame=2 InnerFrameColor=0 \
  Shadow=3 ShadowSoft=3 ShadowTransparent=50 ShowSecond=1 AnimationType=7 AnimationSpeed=75 \
  FlashColonType=1 FlashColonToggle=1

# A background picture behind the digits, with margins.
style BackgroundPicture 'FontName=MS UI Gothic' FontSize=9 FontColor=16777215 InnerFrame=0 \
  Shadow=3 ShadowColor=0 ShadowSoft=2 ShadowTransparent=80 BackGroundType=3 BackGround=Background.bmp \
  BackGroundAlign=4 BackGroundSize=100 BorderWidth=25,12,25,12 ShowSecond=1

# Time slots: shown in the day time only, every kind of day.
style Daytime 'FontName=MS UI Gothic' FontSize=9 FontColor=12648384 InnerFrame=4 InnerFrameColor=16384 \
  FadeSwitching=1 '[VisibleTimeSlot]' Slot1=0,6:00:00,23:00:00 Slot2=1,8:00:00,22:00:00 \
  Slot3=2,8:00:00,22:00:00 Slot4=3,8:00:00,22:00:00
