import random, glob, sys
sys.setrecursionlimit(10000)
def run(cells, bottom_off=1, merge_right=1):
    n=4; arr=[0]*120
    for i in range(1, n*n+2): arr[i]=-1
    def fa(x):
        if arr[x]==x: return x
        arr[x]=fa(arr[x]); return arr[x]
    def mm(x,y):
        a=fa(x); b=fa(y)
        if a!=b: arr[a]=b
    bottom=n*n+bottom_off; found=0; out=[]
    for i,(a,b) in enumerate(cells):
        if found==0:
            loc=n*(a-1)+b; arr[loc]=loc
            if a==1: arr[0]=0; mm(loc,0)
            if a==n: arr[bottom]=bottom; mm(loc,bottom)
            if b<n and arr[loc+1]!=-1: mm(loc,loc+merge_right)
            if b>1 and arr[loc-1]!=-1: mm(loc,loc-1)
            if a<n and arr[loc+n]!=-1: mm(loc,loc+n)
            if a>1 and arr[loc-n]!=-1: mm(loc,loc-n)
            if arr[0]!=-1 and arr[bottom]!=-1 and fa(0)==fa(bottom):
                found=1; out.append(str(i+1))
    if not found: out.append('-1')
    return '\n'.join(out)+'\n'
for f in sorted(glob.glob(__import__('os').path.dirname(__file__) + '/../../cases/percolation_check/*.in')):
    if 'reject' in f: continue
    v=list(map(int,open(f).read().split())); cells=list(zip(v[::2],v[1::2]))
    print(f.split('/')[-1], run(cells)==open(f[:-3]+'.out').read(), run(cells,0)==run(cells), run(cells,merge_right=2)==run(cells))
rng=random.Random(3)
for kw in (dict(bottom_off=0), dict(merge_right=2)):
    for _ in range(100000):
        cells=[(rng.randint(1,4),rng.randint(1,4)) for _ in range(10)]
        try: m=run(cells,**kw)
        except (IndexError, RecursionError): m='crash'
        if m!=run(cells):
            print(kw, ' '.join(f'{a} {b}' for a,b in cells), repr(run(cells)), repr(m)); break
A=[(4,1),(1,4),(2,4),(3,4),(1,1),(1,2),(1,1),(1,2),(1,1),(1,2)]
B=[(1,1),(2,2),(3,2),(4,2),(2,3),(2,1),(1,4),(1,4),(1,4),(1,4)]
print(repr(run(A)), repr(run(A,0)), repr(run(B)), repr(run(B,merge_right=2)))
B=[(1,3),(2,4),(3,4),(4,4),(3,1),(2,3),(1,1),(1,1),(1,1),(1,1)]
print(repr(run(B)), repr(run(B,merge_right=2)))
