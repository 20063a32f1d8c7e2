# Puts CR LF where the IDL's help texts carry the marker "~^" (widl writes escapes literally).
use strict;
use warnings;
my ($in, $out) = @ARGV;
open(my $r, '<:raw', $in) or die "$in: $!";
my $bytes = do { local $/; <$r> };
close($r);
my $count = ($bytes =~ s/~\^/\r\n/g);
die "expected one line break marker, found $count\n" unless $count == 1;
open(my $w, '>:raw', $out) or die "$out: $!";
print $w $bytes;
close($w) or die "$out: $!";
