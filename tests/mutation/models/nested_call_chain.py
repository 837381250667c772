import random
M=2**32
def w(x): x%=M; return x-M if x>=2**31 else x
def rem(a,b):
    if b==-1: return 0
    r=abs(a)%abs(b); return r if a>=0 else -r
def f1(a,b,c): return w(a*b) if c==0 else f1(a,w(b-c),0)
def f2(a,b): return f2(rem(a,b),0) if b!=0 else a
def f3(a,b): return w(a+1) if b==0 else f3(w(a+b),0)
def f4(a,b,c): return b if a!=0 else c
def f5(a): return w(0-a)
def f6(a,b): return 1 if a!=0 and b!=0 else 0
def f7(a): return 1 if a==0 else 0
def prog(v, idx=None):
    a,b,c,d=v[:4]; arr=v[4:]
    I=dict(u1=1,u2=3,u3=2,u4=5,u5=4)
    if idx: I.update(idx)
    t=f5(f3(f2(f6(f7(a),f5(b)),c),d))
    u1=f5(arr[I['u1']]); u2=f7(arr[I['u2']]); u3=f6(arr[I['u3']],u2); u4=f7(arr[I['u4']]); u5=f2(arr[I['u5']],u4)
    u6=f4(u1,u3,u5); u7=f3(u6,arr[6]); u8=f2(u7,arr[7]); u9=f7(arr[9]); u10=f3(arr[8],u9); u=f1(u8,u10,a)
    x=f4(t,arr[0],u); x1=f7(c); x2=f3(x1,d); x3=f2(b,x2); x=f3(x,x3); x=f1(x,arr[0],arr[1]); x=f2(x,arr[2])
    y1=f5(arr[5]); y2=f3(arr[4],y1); y3=f5(arr[6]); y4=f2(y2,y3); y5=f7(arr[8]); y6=f1(y4,arr[7],y5); y7=f5(arr[9]); y8=f2(y6,y7); y=f3(y8,a)
    return f1(x,arr[3],y) & 255
muts=[dict(u1=2),dict(u3=3),dict(u5=3)]
# sanity: the existing cases
import glob
for f in sorted(glob.glob(__import__('os').path.dirname(__file__) + '/../../cases/nested_call_chain/*.in')):
    s=open(f).read().split()
    if len(s)==14 and 'x' not in s:
        v=[max(min(int(t),2**31-1),-2**31) for t in s]
        print(f.split('/')[-1], prog(v), open(f[:-3]+'.status').read().strip(), [prog(v,m) for m in muts])
rng=random.Random(5)
for _ in range(200000):
    v=[0,5,0,-2]+[rng.randint(-9,9) for _ in range(10)]
    o=prog(v)
    if all(prog(v,m)!=o for m in muts):
        print(' '.join(map(str,v)), o); break
for m in muts:
    for _ in range(300000):
        v=[0,5,0,-2]+[rng.randint(-6,6) for _ in range(10)]
        o=prog(v)
        if prog(v,m)!=o:
            print(m, ' '.join(map(str,v)), o, prog(v,m)); break
    else: print(m,'none')
